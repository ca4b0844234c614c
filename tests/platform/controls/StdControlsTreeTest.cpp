#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/controls/TreeView.h"
#include "support/Controls.h"

namespace {

QImage Solid(QRgb color)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(color);
    return img;
}

QStringList TopTexts(const TTreeView& tree)
{
    QStringList out;
    for (int i = 0; i < tree.Items().TopCount(); ++i)
        out << tree.Items().TopItem(i)->Text();
    return out;
}

QTreeWidget* Widget(TTreeView& tree)
{
    return static_cast<QTreeWidget*>(tree.Widget());
}

// The view's own item options, which Qt keeps to its subclasses.
struct ViewOptions : QTreeWidget {
    using QAbstractItemView::initViewItemOption;
};

// The labels whose sizes the tree keeps differ from a fresh measure (one line each).
std::string StaleSizes(QTreeWidget* w)
{
    QStyleOptionViewItem option;
    (w->*&ViewOptions::initViewItemOption)(&option);
    QStyledItemDelegate fresh;
    std::string stale;
    for (QTreeWidgetItemIterator it(w); *it; ++it) {
        const QModelIndex index = w->indexFromItem(*it);
        const QSize kept = w->itemDelegate()->sizeHint(option, index);
        const QSize measured = fresh.sizeHint(option, index);
        if (kept != measured)
            stale += (*it)->text(0).toStdString() + "\n";
    }
    return stale;
}

} // namespace

TEST(StdTreeView, NodesLevelsAndDepthFirstOrder)
{
    TTreeView tree(nullptr);
    TTreeNodes& items = tree.Items();
    TTreeNode* company = items.AddChild(nullptr, "company");
    TTreeNode* board = items.AddChild(company, "board");
    TTreeNode* office = items.AddChild(board, "office");
    items.Add(company, "other");
    items.AddChildFirst(company, "first");

    EXPECT_EQ(items.Count(), 5);
    EXPECT_EQ(items.TopCount(), 2);
    EXPECT_EQ(items.Item(0), company);
    EXPECT_EQ(items.Item(1)->Text(), "first");
    EXPECT_EQ(items.Item(3), office);
    EXPECT_EQ(office->Level(), 2);
    EXPECT_EQ(office->Parent(), board);
    EXPECT_EQ(board->Index(), 1);
    EXPECT_EQ(company->GetFirstChild()->GetNextSibling(), board);
    EXPECT_THROW(items.Item(5), EListError);
    EXPECT_THROW(items.Item(-1), EListError);
    EXPECT_THROW(company->Item(2), EListError);

    // The widget mirrors the nodes whenever it is created.
    QTreeWidget* w = Widget(tree);
    ASSERT_EQ(w->topLevelItemCount(), 2);
    EXPECT_EQ(w->topLevelItem(0)->child(1)->child(0)->text(0), "office");
    items.AddChild(office, "late");
    EXPECT_EQ(w->topLevelItem(0)->child(1)->child(0)->child(0)->text(0), "late");

    board->Delete();
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(w->topLevelItem(0)->childCount(), 1);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(w->topLevelItemCount(), 0);
}

TEST(StdTreeView, FullExpandOpensOnlyNodesWithChildren)
{
    TTreeView tree(nullptr);
    TTreeNode* a = tree.Items().AddChild(nullptr, "a");
    TTreeNode* b = tree.Items().AddChild(a, "b");
    TTreeNode* leaf = tree.Items().AddChild(b, "leaf");
    QTreeWidget* w = Widget(tree);
    int expanded = 0;
    tree.OnExpanded = TTVChangedEvent([&](TObject*, TTreeNode*) { ++expanded; });

    leaf->SetExpanded(true);
    EXPECT_FALSE(leaf->Expanded());
    tree.FullExpand();
    EXPECT_TRUE(a->Expanded());
    EXPECT_TRUE(b->Expanded());
    EXPECT_FALSE(leaf->Expanded());
    EXPECT_EQ(expanded, 2);
    EXPECT_TRUE(w->topLevelItem(0)->child(0)->isExpanded());

    tree.FullCollapse();
    EXPECT_FALSE(a->Expanded());
    EXPECT_FALSE(w->topLevelItem(0)->isExpanded());
    // Opening in the window is seen by the node.
    w->topLevelItem(0)->setExpanded(true);
    EXPECT_TRUE(a->Expanded());
}

TEST(StdTreeView, SortedTreesKeepSiblingsInTextOrder)
{
    TTreeView tree(nullptr);
    tree.Items().AddChild(nullptr, "2.b");
    tree.Items().AddChild(nullptr, "0.c");
    TTreeNode* a = tree.Items().AddChild(nullptr, "1.a");
    TTreeNode* child = tree.Items().AddChild(a, "z");
    tree.Items().AddChild(a, "y");
    child->SetExpanded(false);
    EXPECT_EQ(TopTexts(tree), QStringList({"2.b", "0.c", "1.a"}));

    tree.SetSortType(stBoth);
    EXPECT_EQ(TopTexts(tree), QStringList({"0.c", "1.a", "2.b"}));
    EXPECT_EQ(a->Item(0)->Text(), "y");
    tree.Items().AddChild(nullptr, "1.5");
    EXPECT_EQ(TopTexts(tree), QStringList({"0.c", "1.5", "1.a", "2.b"}));
    // Chinese texts sort by pinyin, not by code point.
    TTreeNode* board = tree.Items().AddChild(nullptr, "4.boards");
    TTreeNode* jian = tree.Items().AddChild(board, "监事会");
    TTreeNode* dong = tree.Items().AddChild(board, "董事会");
    EXPECT_EQ(board->Item(0), dong);
    EXPECT_EQ(board->Item(1), jian);
    board->Delete();

    a->Expand(false);
    QTreeWidget* w = Widget(tree);
    a->SetText("9.a"); // a text change moves the node, children and state along
    EXPECT_EQ(TopTexts(tree), QStringList({"0.c", "1.5", "2.b", "9.a"}));
    EXPECT_EQ(w->topLevelItem(3)->text(0), "9.a");
    EXPECT_EQ(w->topLevelItem(3)->childCount(), 2);
    EXPECT_TRUE(w->topLevelItem(3)->isExpanded());

    tree.OnCompare = TTVCompareEvent([](TObject*, TTreeNode* x, TTreeNode* y, int& r) {
        r = QString::compare(y->Text(), x->Text()); // reversed
    });
    tree.AlphaSort();
    EXPECT_EQ(TopTexts(tree), QStringList({"9.a", "2.b", "1.5", "0.c"}));
    EXPECT_EQ(w->topLevelItem(0)->text(0), "9.a");
}

TEST(StdTreeView, ImagesIndentAndSelectedPicture)
{
    TImageList images(nullptr);
    images.Add(Solid(qRgb(255, 0, 0)));
    images.Add(Solid(qRgb(0, 0, 255)));
    TTreeView tree(nullptr);
    tree.SetIndent(19);
    TTreeNode* node = tree.Items().AddChild(nullptr, "org");
    node->SetImageIndex(0);
    node->SetSelectedIndex(1);
    QTreeWidget* w = Widget(tree);
    EXPECT_EQ(w->indentation(), 19);
    EXPECT_TRUE(w->topLevelItem(0)->icon(0).isNull());

    tree.SetImages(&images);
    const QIcon icon = w->topLevelItem(0)->icon(0);
    EXPECT_EQ(icon.pixmap(16, 16, QIcon::Normal).toImage().pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(icon.pixmap(16, 16, QIcon::Selected).toImage().pixel(8, 8), qRgb(0, 0, 255));
    node->SetImageIndex(7); // out of range: no picture rather than a fault
    EXPECT_TRUE(w->topLevelItem(0)->icon(0).pixmap(16, 16, QIcon::Normal).toImage().pixel(8, 8) != qRgb(255, 0, 0));

    // The tree forgets an image list that goes away.
    {
        TImageList temporary(nullptr);
        tree.SetImages(&temporary);
    }
    EXPECT_EQ(tree.Images(), nullptr);
}

TEST(StdTreeView, SelectionReportsChangesAndSurvivesDeletion)
{
    TTreeView tree(nullptr);
    TTreeNode* a = tree.Items().AddChild(nullptr, "a");
    TTreeNode* b = tree.Items().AddChild(a, "b");
    std::vector<TTreeNode*> changes;
    tree.OnChange = TTVChangedEvent([&](TObject*, TTreeNode* n) { changes.push_back(n); });
    QTreeWidget* w = Widget(tree);

    b->SetSelected(true);
    EXPECT_EQ(tree.Selected(), b);
    EXPECT_TRUE(a->Expanded()); // a selected node is shown
    EXPECT_EQ(w->currentItem()->text(0), "b");
    w->setCurrentItem(w->topLevelItem(0)); // as clicked
    EXPECT_EQ(tree.Selected(), a);
    a->Delete();
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{b, a, nullptr}));

    TTreeView other(nullptr);
    TTreeNode* foreign = other.Items().AddChild(nullptr, "x");
    EXPECT_THROW(tree.SetSelected(foreign), EInvalidOperation);
}

TEST(StdTreeView, LabelEditingThroughBeginEdit)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* tree = Make<TTreeView>(&form, &form, 0, 0, 200, 200);
    TTreeNode* node = tree->Items().AddChild(nullptr, "old");
    tree->Items().AddChild(nullptr, "other");
    form.Show();
    form.SetActiveControl(tree);
    node->SetSelected(true);

    bool allow = false;
    QString editedFrom;
    tree->OnEditing = TTVEditingEvent([&](TObject*, TTreeNode*, bool& a) { a = allow; });
    tree->OnEdited = TTVEditedEvent([&](TObject*, TTreeNode* n, QString& s) {
        editedFrom = n->Text();
        s = s.trimmed();
    });
    EXPECT_FALSE(node->EditText());
    allow = true;
    // The rename command's request arrives as a message naming the node.
    EXPECT_EQ(tree->Perform(TTreeView::TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(node)), 1);
    ASSERT_TRUE(tree->IsEditing());
    EXPECT_EQ(tree->DialogCode() & DLGC_WANTALLKEYS, unsigned(DLGC_WANTALLKEYS));
    auto* editor = tree->Widget()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("  new  ");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
    QApplication::processEvents();
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(editedFrom, "old");
    EXPECT_EQ(node->Text(), "new");
    EXPECT_EQ(form.ModalResult(), mrNone); // Enter ended the edit, not the dialog

    tree->SetReadOnly(true);
    EXPECT_FALSE(node->EditText());
    // A request for a node that is gone does nothing.
    TTreeNode* gone = tree->Items().AddChild(nullptr, "gone");
    gone->Delete();
    tree->SetReadOnly(false);
    EXPECT_EQ(tree->Perform(TTreeView::TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(gone)), 0);
    form.Hide();
}

TEST(StdImageList, AddDrawAndStrip)
{
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    list.Add(Solid(qRgb(0, 255, 0)));
    list.Add(QImage(32, 8, QImage::Format_RGB32)); // scaled to 16 x 16
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Image(1).size(), QSize(16, 16));
    EXPECT_THROW(list.Image(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);

    QImage target(40, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        TCanvas canvas(target);
        list.Draw(canvas, 10, 10, 0);
        list.Draw(canvas, 0, 0, 5); // nothing, no fault
        list.Draw(canvas, 20, 20, 0, false);
    }
    EXPECT_EQ(target.pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(9, 9), qRgb(255, 255, 255));
    const QRgb grey = target.pixel(25, 25);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_GT(qRed(grey), 128);

    TImageList copy(nullptr);
    copy.SetStrip(list.Strip());
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Image(0), list.Image(0));
    EXPECT_THROW(copy.SetStrip(QImage(17, 16, QImage::Format_ARGB32)), EInvalidOperation);
    EXPECT_EQ(copy.Count(), 2);
    copy.SetWidth(24);
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_THROW(copy.SetHeight(0), EInvalidOperation);
}

// The label column follows its contents; the tree keeps its measure of the
// labels between changes, and after each kind of change the kept measure is
// what measuring afresh gives, so the column is never left too narrow.
TEST(StdTreeView, LabelWidthFollowsEveryKindOfChange)
{
    TImageList images(nullptr);
    images.Add(Solid(qRgb(255, 0, 0)));
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* tree = Make<TTreeView>(&form, &form, 0, 0, 200, 200);
    TTreeNode* root = tree->Items().AddChild(nullptr, "root");
    TTreeNode* child = tree->Items().AddChild(root, "child");
    form.Show();
    auto* w = static_cast<QTreeWidget*>(tree->Widget());

    // Qt lays the column out again after changes of the items; after a new
    // indent or font only the next layout does, and the kept measure must
    // then be the fresh one all the same.
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"renamed longer", [&] { root->SetText("a much longer label for the root"); }},
        {"expanded", [&] { root->SetExpanded(true); }},
        {"child renamed longer", [&] { child->SetText("an even longer label for the child node"); }},
        {"grandchild added", [&] { tree->Items().AddChild(child, "the grandchild, whose label is the longest of all the labels by far"); }},
        {"expanded in the window", [&] { w->topLevelItem(0)->child(0)->setExpanded(true); }},
        {"collapsed by the keyboard", [&] {
             w->setCurrentItem(w->topLevelItem(0)->child(0));
             QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
             QApplication::sendEvent(w, &left);
         }},
        {"all below expanded by the keyboard", [&] {
             w->setCurrentItem(w->topLevelItem(0));
             QKeyEvent star(QEvent::KeyPress, Qt::Key_Asterisk, Qt::NoModifier, QStringLiteral("*"));
             QApplication::sendEvent(w, &star);
         }},
        {"sibling added", [&] { tree->Items().AddChild(root, "b sibling"); }},
        {"sorted", [&] { tree->SetSortType(stText); }},
        {"collapsed", [&] { root->SetExpanded(false); }},
        {"indent", [&] { tree->SetIndent(40); }},
        {"pictures", [&] {
             tree->SetImages(&images);
             root->SetImageIndex(0);
         }},
        {"font", [&] { tree->Font().SetSize(14); }},
        {"deleted", [&] { root->Delete(); }},
    };
    QAbstractItemView* view = w;
    for (const auto& [what, change] : changes) {
        change();
        QApplication::processEvents();
        const int kept = view->sizeHintForColumn(0);
        const int shown = w->header()->sectionSize(0);
        EXPECT_EQ(StaleSizes(w), "") << what;
        tree->SetIndent(tree->Indent()); // a change of the look: measured afresh
        const int fresh = view->sizeHintForColumn(0);
        EXPECT_EQ(kept, fresh) << what;
        if (std::string_view(what) != "indent" && std::string_view(what) != "font") {
            EXPECT_GE(shown, fresh) << what;
        }
    }
    form.Hide();
}

