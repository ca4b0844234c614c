#include "screens/rights/RightsCommands.h"

#include <optional>
#include <vector>

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Application.h"
#include "platform/framework/Form.h"
#include "platform/controls/Label.h"
#include "platform/framework/Messages.h"
#include "screens/rights/LiveRights.h"
#include "screens/rights/RightsAdminPage.h"
#include "screens/rights/RightsFunctionPage.h"
#include "screens/rights/RightsPickers.h"
#include "screens/rights/RightsRelationPage.h"
#include "screens/rights/RightsResourcePage.h"
#include "screens/dialogs/UserPicker.h"
#include "store/StoreError.h"

namespace {

const char* const kRightsLinks[] = {"Label10", "Label18", "Label11", "Label19", "Label12", "Label17", "Label25",
                                    "Label26", "Label7",  "Label8",  "Label21", "Label22", "Label9",  "Label20"};

} // namespace

RightsCommands::RightsCommands(TForm& form, RightsStore& store, LiveRights& rights)
    : form_(form), store_(store), rights_(rights)
{
    for (const char* label : kRightsLinks)
        Connect(label);
    // The labels' accelerators have no control to focus: from a grid, Alt and
    // the letter act as a click on its page's link, and Insert and Delete act
    // as the grid's own links.
    ConnectKeys("TavikPTGrid1", "Label10", "Label18");
    ConnectKeys("TavikPTGrid3", "Label11", "Label19");
    ConnectKeys("TavikPTGrid2", "Label12", "Label17");
    ConnectKeys("TavikPTGrid6", "Label25", "Label26");
    ConnectKeys("TavikPTGrid7", "Label7", nullptr);
    ConnectKeys("TavikPTGrid5", "Label9", "Label20");
    ConnectKeys("TavikPTGrid4", "Label9", nullptr);
}

void RightsCommands::Connect(const char* name)
{
    if (auto* label = form_.Find<TLabel>(QString::fromLatin1(name))) {
        const QString key = QString::fromLatin1(name);
        label->OnClick = TNotifyEvent([this, key](TObject*) { Click(key); });
    }
}

void RightsCommands::ConnectKeys(const char* name, const char* insertLabel, const char* deleteLabel)
{
    auto* grid = form_.Find<TTavikPTGrid>(QString::fromLatin1(name));
    if (!grid)
        return;
    const QString insert = QString::fromLatin1(insertLabel);
    const QString remove = deleteLabel ? QString::fromLatin1(deleteLabel) : QString();
    grid->OnKeyDown = TKeyEvent([this, grid, insert, remove](TObject*, Word& key, TShiftState shift) {
        if (grid->EditorMode())
            return;
        if (shift == TShiftState(ssAlt) && key >= 'A' && key <= 'Z') {
            const QString link = LinkFor(*grid, QChar(char16_t(key)), {insert, remove});
            if (!link.isEmpty()) {
                Click(link);
                key = 0;
            }
            return;
        }
        if (shift != TShiftState())
            return;
        if (key == VK_INSERT) {
            Click(insert);
            key = 0;
        } else if (key == VK_DELETE && !remove.isEmpty()) {
            Click(remove);
            key = 0;
        }
    });
}

QString RightsCommands::LinkFor(TTavikPTGrid& grid, QChar letter, std::initializer_list<QString> own)
{
    // The grid's own links first: a page with two 删除 links has one per grid.
    std::vector<QString> names(own);
    for (const char* name : kRightsLinks)
        names.push_back(QString::fromLatin1(name));
    for (const QString& name : names) {
        auto* label = name.isEmpty() ? nullptr : form_.Find<TLabel>(name);
        if (label && label->Parent() == grid.Parent() && label->Accelerator().toUpper() == letter)
            return name;
    }
    return {};
}

void RightsCommands::Tell(const QString& text, unsigned flags)
{
    Application()->MessageBox(text, form_.Caption(), flags);
}

bool RightsCommands::Click(const QString& label)
{
    rights_.Harvest();
    const qint64 holder = rights_.Holder();
    if (!holder) {
        Tell(QStringLiteral("Choose a unit or post in the tree first."), MB_ICONINFORMATION);
        return true;
    }
    const QString name = rights_.HolderName(holder);
    try {
        if (label == QLatin1String("Label10")) {
            if (const auto picked = PickUsers(store_, QStringLiteral("选择用户")))
                rights_.Admins().AddAdmins(*picked);
            return true;
        }
        if (label == QLatin1String("Label11") || label == QLatin1String("Label7")) {
            const auto picked = PickFunctions(
                store_, label == QLatin1String("Label7") ? QStringLiteral("选择功能") : QStringLiteral("选择系统功能"));
            if (picked && label == QLatin1String("Label11"))
                rights_.Admins().AddFunctions(*picked);
            else if (picked)
                rights_.Functions().Grant(*picked);
            return true;
        }
        if (label == QLatin1String("Label12")) {
            if (const auto picked = PickUnits(store_, QStringLiteral("选择组织机构"), false))
                rights_.Subordination().AddUnits(*picked);
            return true;
        }
        if (label == QLatin1String("Label25")) {
            if (const auto picked = PickUnits(store_, QStringLiteral("选择角色"), true))
                rights_.Trust().AddUnits(*picked);
            return true;
        }
        if (label == QLatin1String("Label9")) {
            const qint64 resourceClass = rights_.Resources().CurrentClass();
            if (!resourceClass) {
                Tell(QStringLiteral("The store has no resource class, so there is no resource to choose."),
                     MB_ICONINFORMATION);
                return true;
            }
            if (const auto picked = PickResources(store_, QStringLiteral("选择资源"), resourceClass))
                rights_.Resources().AddResources(*picked);
            return true;
        }
    } catch (const StoreError& e) {
        Tell(e.Message(), MB_ICONERROR);
        return true;
    }
    if (label == QLatin1String("Label18")) {
        rights_.Admins().RemoveAdmins();
        return true;
    }
    if (label == QLatin1String("Label19")) {
        rights_.Admins().RemoveFunctions();
        return true;
    }
    if (label == QLatin1String("Label17")) {
        rights_.Subordination().RemoveSelected();
        return true;
    }
    if (label == QLatin1String("Label26")) {
        rights_.Trust().RemoveSelected();
        return true;
    }
    if (label == QLatin1String("Label20")) {
        rights_.Resources().RemoveSelected();
        return true;
    }
    if (label == QLatin1String("Label21") || label == QLatin1String("Label22") || label == QLatin1String("Label8")) {
        if (!rights_.Functions().SetSelectedFlags(label != QLatin1String("Label22"), label == QLatin1String("Label8")))
            Tell(QStringLiteral("Select the functions of %1 to change first.").arg(name), MB_ICONINFORMATION);
        return true;
    }
    return false;
}

void RightsCommands::Copy()
{
    rights_.Harvest();
    if (!rights_.Holder()) {
        Tell(QStringLiteral("Choose a unit or post in the tree first."), MB_ICONINFORMATION);
        return;
    }
    rights_.Clipboard().Copy(rights_.Work(), rights_.Holder());
}

void RightsCommands::Paste()
{
    rights_.Harvest();
    const RightsClipboard& clip = rights_.Clipboard();
    const qint64 target = rights_.Holder();
    if (clip.Empty()) {
        Tell(QStringLiteral("Nothing to paste: copy the rights of a unit or post with 复制权限 first."),
             MB_ICONINFORMATION);
        return;
    }
    if (!target)
        return;
    const QString from = rights_.HolderName(clip.Source());
    const QString to = rights_.HolderName(target);
    if (target == clip.Source()) {
        Tell(QStringLiteral("These are the rights of %1 that were copied; choose another unit or post to paste them "
                            "onto.").arg(from),
             MB_ICONINFORMATION);
        return;
    }
    QStringList lines = clip.Differences(rights_.Work(), target);
    if (lines.isEmpty()) {
        Tell(QStringLiteral("%1 already has the rights of %2; nothing changes.").arg(to, from), MB_ICONINFORMATION);
        return;
    }
    const int more = int(lines.size()) - MaxListedChanges;
    if (more > 0) {
        lines = lines.mid(0, MaxListedChanges);
        lines << QStringLiteral("… and %1 more.").arg(more);
    }
    const QString question = QStringLiteral("Give %1 the rights of %2? This changes:\n\n%3\n\nThe change is written by 保存.")
                                 .arg(to, from, lines.join(QLatin1Char('\n')));
    if (Application()->MessageBox(question, form_.Caption(), MB_YESNO | MB_ICONQUESTION) != mrYes)
        return;
    clip.Apply(rights_.Work(), target);
    rights_.ShowPages();
}
