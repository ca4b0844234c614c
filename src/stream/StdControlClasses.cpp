#include "stream/StdControlClasses.h"


#include "platform/controls/Bevel.h"
#include "platform/controls/Button.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/TreeView.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

const std::vector<std::string> kAlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kLayoutNames = {"tlTop", "tlCenter", "tlBottom"};
const std::vector<std::string> kBorderStyleNames = {"bsNone", "bsSingle"};
const std::vector<std::string> kBevelShapeNames = {"bsBox",       "bsFrame",     "bsTopLine", "bsBottomLine",
                                                   "bsLeftLine", "bsRightLine", "bsSpacer"};
const std::vector<std::string> kBevelStyleNames = {"bsLowered", "bsRaised"};
const std::vector<std::string> kBevelCutNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const std::vector<std::string> kResizeStyleNames = {"rsNone", "rsLine", "rsUpdate", "rsPattern"};
const std::vector<std::string> kSortTypeNames = {"stNone", "stData", "stText", "stBoth"};
const std::vector<std::string> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
const std::vector<std::string> kModalResultNames = {"mrNone", "mrOk",     "mrCancel", "mrAbort",
                                                    "mrRetry", "mrIgnore", "mrYes",    "mrNo"};

// A property the class does not publish although an ancestor does (an edit's
// text is Text, never Caption).
PropertyInfo Unpublished(const std::string& name, const std::string& className)
{
    PropertyInfo p;
    p.name = name;
    p.read = [name, className](TPersistent*, const FormValue& v, LoadContext& ctx) {
        ctx.Fail(v.pos, "unknown property " + name + " of class " + className);
    };
    p.write = [](const TPersistent*) -> std::optional<FormValue> { return std::nullopt; };
    p.published = false;
    return p;
}

// A border style limited to bsNone and bsSingle.
template <class T>
PropertyInfo BorderStyle(TFormBorderStyle (T::*get)() const, void (T::*set)(TFormBorderStyle),
                         TFormBorderStyle def)
{
    return Enum<T, TFormBorderStyle>("BorderStyle", get, set, kBorderStyleNames, def);
}

PropertyInfo ModalResultProperty()
{
    PropertyInfo p;
    p.name = "ModalResult";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        if (v.kind == FormValue::Kind::Integer) {
            As<TButton>(o)->SetModalResult(static_cast<int>(ExpectInt(v, ctx)));
            return;
        }
        As<TButton>(o)->SetModalResult(ExpectEnum(v, kModalResultNames, ctx));
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const int r = As<TButton>(o)->ModalResult();
        if (r == mrNone)
            return std::nullopt;
        if (r > 0 && r < static_cast<int>(kModalResultNames.size()))
            return FormValue::Identifier(kModalResultNames[r]);
        return FormValue::Int(r);
    };
    return p;
}

PropertyInfo PasswordCharProperty()
{
    PropertyInfo p;
    p.name = "PasswordChar";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        const QString s = ExpectString(v, ctx);
        if (s.size() > 1)
            ctx.Fail(v.pos, "PasswordChar must be a single character");
        As<TEdit>(o)->SetPasswordChar(s.isEmpty() ? QChar() : s[0]);
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const QChar c = As<TEdit>(o)->PasswordChar();
        if (c.isNull())
            return std::nullopt;
        return StringValue(QString(c));
    };
    return p;
}

// The pictures as one PNG strip, all images side by side.
PropertyInfo BitmapProperty()
{
    PropertyInfo p;
    p.name = "Bitmap";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        if (v.kind != FormValue::Kind::Binary)
            ctx.Fail(v.pos, std::string("expected a binary block for 'Bitmap', found ") + v.Describe());
        bool read = false;
        try {
            read = As<TImageList>(o)->LoadStripFromData(v.bytes);
        } catch (const Exception& e) {
            ctx.Fail(v.pos, e.what());
        }
        if (!read)
            ctx.Fail(v.pos, "the Bitmap of an image list is not a readable PNG picture");
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const TImageList* list = As<TImageList>(o);
        if (list->Count() == 0)
            return std::nullopt;
        return FormValue::BinaryOf(list->StripAsPng());
    };
    return p;
}

// Tree nodes in depth-first order, each item with its Level:
//   Items.Nodes = < item Text = 'A' ImageIndex = 0 end item Text = 'B' Level = 1 end >
void ReadNodes(TTreeView* tree, const FormValue& v, LoadContext& ctx)
{
    if (v.kind != FormValue::Kind::Collection)
        ctx.Fail(v.pos, std::string("expected a collection for 'Items.Nodes', found ") + v.Describe());
    tree->Items().Clear();
    std::vector<TTreeNode*> path; // the last node read on each level
    for (const FormItem& item : v.items) {
        QString text;
        int level = 0, image = -1, selected = -1, state = -1;
        int64_t data = 0;
        for (const FormProperty& p : item.properties) {
            const std::string& n = p.name;
            if (n == "Text")
                text = ExpectString(p.value, ctx);
            else if (n == "Level")
                level = static_cast<int>(ExpectInt(p.value, ctx, 0, 1000));
            else if (n == "ImageIndex")
                image = static_cast<int>(ExpectInt(p.value, ctx, -1));
            else if (n == "SelectedIndex")
                selected = static_cast<int>(ExpectInt(p.value, ctx, -1));
            else if (n == "StateIndex")
                state = static_cast<int>(ExpectInt(p.value, ctx, -1));
            else if (n == "Data")
                data = ExpectInt(p.value, ctx, INT64_MIN, INT64_MAX);
            else
                ctx.Fail(p.pos, "unknown property " + n + " of a tree node");
        }
        if (level > static_cast<int>(path.size()))
            ctx.Fail(item.pos, "tree node '" + text.toStdString() + "' at level " + std::to_string(level) +
                                   " has no parent at level " + std::to_string(level - 1));
        path.resize(level);
        TTreeNode* node = tree->Items().AddChild(level > 0 ? path.back() : nullptr, text);
        node->SetImageIndex(image);
        node->SetSelectedIndex(selected);
        node->SetStateIndex(state);
        node->SetData(reinterpret_cast<void*>(static_cast<intptr_t>(data)));
        path.push_back(node);
    }
}

void WriteNode(const TTreeNode* node, std::vector<FormItem>& out)
{
    FormItem item;
    auto add = [&item](const char* name, FormValue v) { item.properties.push_back(FormProperty{name, v, {}}); };
    add("Text", StringValue(node->Text()));
    if (node->Level() != 0)
        add("Level", FormValue::Int(node->Level()));
    if (node->ImageIndex() != -1)
        add("ImageIndex", FormValue::Int(node->ImageIndex()));
    if (node->SelectedIndex() != -1)
        add("SelectedIndex", FormValue::Int(node->SelectedIndex()));
    if (node->StateIndex() != -1)
        add("StateIndex", FormValue::Int(node->StateIndex()));
    if (node->Data())
        add("Data", FormValue::Int(static_cast<int64_t>(reinterpret_cast<intptr_t>(node->Data()))));
    out.push_back(std::move(item));
    for (int i = 0; i < node->Count(); ++i)
        WriteNode(node->Item(i), out);
}

PropertyInfo NodesProperty()
{
    PropertyInfo p;
    p.name = "Nodes";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        ReadNodes(static_cast<TTreeNodes*>(o)->Owner(), v, ctx);
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const auto* nodes = static_cast<const TTreeNodes*>(o);
        if (nodes->TopCount() == 0)
            return std::nullopt;
        std::vector<FormItem> items;
        for (int i = 0; i < nodes->TopCount(); ++i)
            WriteNode(nodes->TopItem(i), items);
        return FormValue::CollectionOf(std::move(items));
    };
    return p;
}

PropertyInfo ItemsObject()
{
    PropertyInfo p;
    p.name = "Items";
    p.subObject = [](TPersistent* o) -> TPersistent* { return &As<TTreeView>(o)->Items(); };
    p.subClass = ClassRegistry::Instance().Find("TTreeNodes");
    return p;
}

// Controls that start out in the window colour rather than their parent's.
void WindowColored(ClassInfo& info)
{
    info.Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, clWindow))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false));
}

} // namespace

void RegisterStdControlClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find("TTreeView"))
        return;

    ClassInfo& button = reg.Register("TButton", "TWinControl", [](TComponent* o) { return new TButton(o); });
    button.Add(Bool<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel, false))
        .Add(Bool<TButton>("Default", &TButton::Default, &TButton::SetDefault, false))
        .Add(ModalResultProperty())
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true));

    ClassInfo& label = reg.Register("TLabel", "TGraphicControl", [](TComponent* o) { return new TLabel(o); });
    label.Add(Enum<TLabel, TAlignment>("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, kAlignmentNames,
                                       taLeftJustify))
        .Add(Bool<TLabel>("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true))
        .Add(Reference<TLabel, TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl,
                                                 &TLabel::SetFocusControlName, "a windowed control"))
        .Add(Enum<TLabel, TTextLayout>("Layout", &TLabel::Layout, &TLabel::SetLayout, kLayoutNames, tlTop))
        .Add(Bool<TLabel>("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true))
        .Add(Bool<TLabel>("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false))
        .Add(Bool<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false));

    ClassInfo& edit = reg.Register("TEdit", "TWinControl", [](TComponent* o) { return new TEdit(o); });
    edit.Add(Unpublished("Caption", "TEdit"))
        .Add(BorderStyle<TEdit>(&TEdit::BorderStyle, &TEdit::SetBorderStyle, bsSingle))
        .Add(Bool<TWinControl>("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true))
        .Add(Int<TEdit>("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength, 0, 0, INT_MAX))
        .Add(Bool<TWinControl>("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true))
        .Add(PasswordCharProperty())
        .Add(Bool<TEdit>("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly, false))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true))
        .Add(String<TControl>("Text", &TControl::Text, &TControl::SetText))
        .Add(Event<TEdit, TNotifyEvent>("OnChange", &TEdit::OnChange));
    WindowColored(edit);

    ClassInfo& bevel = reg.Register("TBevel", "TGraphicControl", [](TComponent* o) { return new TBevel(o); });
    bevel.Add(Enum<TBevel, TBevelShape>("Shape", &TBevel::Shape, &TBevel::SetShape, kBevelShapeNames, bsBox))
        .Add(Enum<TBevel, TBevelStyle>("Style", &TBevel::Style, &TBevel::SetStyle, kBevelStyleNames, bsLowered));

    ClassInfo& panel = reg.Register("TPanel", "TCustomControl", [](TComponent* o) { return new TPanel(o); });
    panel.Add(Enum<TPanel, TAlignment>("Alignment", &TPanel::Alignment, &TPanel::SetAlignment, kAlignmentNames,
                                       taCenter))
        .Add(Enum<TPanel, TBevelCut>("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner, kBevelCutNames, bvNone))
        .Add(Enum<TPanel, TBevelCut>("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, kBevelCutNames,
                                     bvRaised))
        .Add(Int<TPanel>("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, 1, 1, 1000))
        .Add(Int<TPanel>("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, 0, 0, 1000))
        .Add(BorderStyle<TPanel>(&TPanel::BorderStyle, &TPanel::SetBorderStyle, bsNone));

    ClassInfo& splitter =
        reg.Register("TSplitter", "TGraphicControl", [](TComponent* o) { return new TSplitter(o); });
    splitter.Add(Enum<TControl, TAlign>("Align", &TControl::Align, &TControl::SetAlign, kAlignNames, alLeft))
        .Add(Bool<TSplitter>("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled, false))
        .Add(Int<TSplitter>("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize, 30, 1, 32767))
        .Add(Enum<TSplitter, TResizeStyle>("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle,
                                           kResizeStyleNames, rsPattern))
        .Add(Event<TSplitter, TNotifyEvent>("OnMoved", &TSplitter::OnMoved));

    ClassInfo& images = reg.Register("TImageList", "TComponent", [](TComponent* o) { return new TImageList(o); });
    images.Add(Int<TImageList>("Width", &TImageList::Width, &TImageList::SetWidth, 16, 1, 256))
        .Add(Int<TImageList>("Height", &TImageList::Height, &TImageList::SetHeight, 16, 1, 256))
        .Add(BitmapProperty());

    ClassInfo& nodes = reg.Register("TTreeNodes", "TPersistent");
    nodes.Add(NodesProperty());

    ClassInfo& tree = reg.Register("TTreeView", "TWinControl", [](TComponent* o) { return new TTreeView(o); });
    tree.Add(Unpublished("Caption", "TTreeView"))
        .Add(BorderStyle<TTreeView>(&TTreeView::BorderStyle, &TTreeView::SetBorderStyle, bsSingle))
        .Add(Bool<TWinControl>("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true))
        .Add(Bool<TTreeView>("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection, true))
        .Add(Reference<TTreeView, TImageList>("Images", &TTreeView::Images, &TTreeView::SetImages,
                                                  &TTreeView::SetImagesName, "an image list"))
        .Add(Int<TTreeView>("Indent", &TTreeView::Indent, &TTreeView::SetIndent, 19, 0, 32767))
        .Add(ItemsObject())
        .Add(Bool<TWinControl>("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true))
        .Add(Bool<TTreeView>("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly, false))
        .Add(Bool<TTreeView>("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect, false))
        .Add(Bool<TTreeView>("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons, true))
        .Add(Bool<TTreeView>("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines, true))
        .Add(Bool<TTreeView>("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot, true))
        .Add(Enum<TTreeView, TSortType>("SortType", &TTreeView::SortType, &TTreeView::SetSortType, kSortTypeNames,
                                        stNone))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true))
        .Add(Event<TTreeView, TTVChangedEvent>("OnChange", &TTreeView::OnChange))
        .Add(Event<TTreeView, TTVChangedEvent>("OnCollapsed", &TTreeView::OnCollapsed))
        .Add(Event<TTreeView, TTVCompareEvent>("OnCompare", &TTreeView::OnCompare))
        .Add(Event<TTreeView, TTVEditedEvent>("OnEdited", &TTreeView::OnEdited))
        .Add(Event<TTreeView, TTVEditingEvent>("OnEditing", &TTreeView::OnEditing))
        .Add(Event<TTreeView, TTVChangedEvent>("OnExpanded", &TTreeView::OnExpanded));
    WindowColored(tree);
}
