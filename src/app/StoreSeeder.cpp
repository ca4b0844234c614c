#include "app/StoreSeeder.h"

#include <memory>
#include <vector>

#include <QRegularExpression>
#include <QStringList>

#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/themes/SkinNexus.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/TreeView.h"
#include "screens/DepartPropForm.h"
#include "screens/OrgForm.h"
#include "screens/PostForm.h"
#include "screens/RightSetForm.h"
#include "screens/RolePropForm.h"
#include "screens/UserForm.h"
#include "store/PasswordHash.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"

namespace {

// "7.全资子公司" is shown in paths as "全资子公司": the number only orders the tree.
QString WithoutOrderNumber(const QString& name)
{
    static const QRegularExpression number(QStringLiteral("^\\d+\\."));
    return QString(name).remove(number);
}

QVariant Tri(const QString& cell)
{
    if (cell.startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
        return 1;
    if (cell.startsWith(QLatin1Char('F'), Qt::CaseInsensitive))
        return 0;
    return QVariant();
}

QVariant TextOrNull(const QString& s)
{
    return s.isEmpty() ? QVariant() : QVariant(s);
}

struct Unit {
    qint64 ref = 0;
    int parent = -1;
    QString name;
    int kind = 0;
    QString code;
    QVariant post;
    bool adminEnabled = false;
    std::vector<int> children;
};

class Seeder {
public:
    void Run(RightsStore& store)
    {
        ReadPosts();
        ReadOrganisation();
        ReadUsers();
        ReadDialogs();
        ReadRights();
        std::vector<StoreChange> changes = std::move(posts_);
        for (auto& c : users_)
            changes.push_back(std::move(c));
        for (const Unit& u : units_)
            changes.push_back(StoreChange::Insert(
                TableId::OrgUnit,
                {u.parent >= 0 ? QVariant(units_[size_t(u.parent)].ref) : QVariant(), Position(u), u.kind, u.name,
                 TextOrNull(u.code), u.post, u.adminEnabled ? 1 : 0, QVariant()},
                u.ref));
        for (auto& c : later_)
            changes.push_back(std::move(c));
        store.Save(changes);
    }

private:
    qint64 NewRef() { return --lastRef_; }

    int Position(const Unit& u) const
    {
        if (u.parent < 0) {
            int position = 0;
            for (size_t i = 0; i < units_.size() && units_[i].ref != u.ref; ++i)
                position += units_[i].parent < 0;
            return position;
        }
        const auto& siblings = units_[size_t(u.parent)].children;
        for (size_t i = 0; i < siblings.size(); ++i)
            if (units_[size_t(siblings[i])].ref == u.ref)
                return int(i);
        return 0;
    }

    static QString Cell(TTavikPTGrid* grid, int col, int row) { return grid->GetCellValue(col, row); }

    template <class Form>
    static std::unique_ptr<Form> Build()
    {
        return std::make_unique<Form>(nullptr);
    }

    template <class T>
    static T* Need(TComponent* form, const char* name)
    {
        auto* c = form->Find<T>(QString::fromLatin1(name));
        if (!c)
            throw StoreError(QStringLiteral("Cannot seed the store: the sample screens have no %1.").arg(QLatin1String(name)));
        return c;
    }

    void ReadPosts()
    {
        auto form = Build<TPostForm>();
        auto* grid = Need<TTavikPTGrid>(form.get(), "TavikPTGrid2");
        for (int r = 1; r < grid->RowCount(); ++r) {
            const qint64 ref = NewRef();
            postByCode_[Cell(grid, 1, r)] = ref;
            postByName_[Cell(grid, 2, r)] = ref;
            posts_.push_back(StoreChange::Insert(TableId::Post, {Cell(grid, 1, r), Cell(grid, 2, r), TextOrNull(Cell(grid, 3, r))}, ref));
        }
    }

    void AddUnits(TTreeNode* node, int parent)
    {
        Unit u;
        u.ref = NewRef();
        u.parent = parent;
        u.name = node->Text();
        u.kind = node->ImageIndex();
        if (u.kind == int(UnitKind::Post)) {
            const auto post = postByName_.find(WithoutOrderNumber(u.name));
            if (post != postByName_.end())
                u.post = post->second;
        }
        const int index = int(units_.size());
        units_.push_back(u);
        if (parent >= 0)
            units_[size_t(parent)].children.push_back(index);
        for (int i = 0; i < node->Count(); ++i)
            AddUnits(node->Item(i), index);
    }

    void ReadOrganisation()
    {
        auto form = Build<TOrgForm>();
        const TTreeNodes& nodes = form->TreeView1->Items();
        for (int i = 0; i < nodes.TopCount(); ++i)
            AddUnits(nodes.TopItem(i), -1);
    }

    // A unit by its path below the top-level company, "董事会\总经理办公室\全资子公司".
    int UnitAt(const QString& path) const
    {
        for (size_t top = 0; top < units_.size(); ++top) {
            if (units_[top].parent >= 0)
                continue;
            int at = int(top);
            for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
                int next = -1;
                for (int child : units_[size_t(at)].children)
                    if (WithoutOrderNumber(units_[size_t(child)].name) == part) {
                        next = child;
                        break;
                    }
                at = next;
                if (at < 0)
                    break;
            }
            if (at >= 0)
                return at;
        }
        throw StoreError(QStringLiteral("Cannot seed the store: the sample organisation has no unit %1.").arg(path));
    }

    int ChildNamed(int parent, const QString& name) const
    {
        for (int child : units_[size_t(parent)].children)
            if (WithoutOrderNumber(units_[size_t(child)].name) == name)
                return child;
        throw StoreError(QStringLiteral("Cannot seed the store: the sample organisation has no unit %1 under %2.")
                             .arg(name, units_[size_t(parent)].name));
    }

    qint64 Ref(const std::map<QString, qint64>& map, const QString& key, const char* what) const
    {
        const auto it = map.find(key);
        if (it == map.end())
            throw StoreError(QStringLiteral("Cannot seed the store: the sample content has no %1 %2.").arg(QLatin1String(what), key));
        return it->second;
    }

    void ReadUsers()
    {
        auto form = Build<TUserForm>();
        TTavikPTGrid* grid = form->TavikPTGrid1;
        for (int r = 1; r < grid->RowCount(); ++r) {
            const qint64 ref = NewRef();
            const QString login = Cell(grid, 1, r);
            userByLogin_[login] = ref;
            if (r == 1)
                firstUser_ = ref;
            // A password the screen shows as set becomes one that nobody
            // knows: the account looks as designed and stays closed until an
            // administrator gives it a password.
            const bool passwordSet = Cell(grid, 3, r) == QStringLiteral("修改");
            users_.push_back(StoreChange::Insert(TableId::User,
                                                 {login, Cell(grid, 2, r), passwordSet ? QVariant(HashOfUnknownPassword()) : QVariant(),
                                                  QVariant(), Tri(Cell(grid, 5, r)).toInt() == 1 ? 1 : 0, TextOrNull(Cell(grid, 6, r))},
                                                 ref));
        }
        // The post grid shows the posts of the first user, each with the unit where it is held.
        TTavikPTGrid* held = form->TavikPTGrid2;
        for (int r = 1; r < held->RowCount(); ++r)
            heldPosts_.push_back({Cell(held, 2, r), Cell(held, 3, r)});
    }

    void ReadDialogs()
    {
        for (const auto& [code, path] : heldPosts_)
            later_.push_back(StoreChange::Insert(TableId::UserPost, {firstUser_, Ref(postByCode_, code, "post"), units_[size_t(UnitAt(path))].ref}));

        // The role dialog: a post in a unit and the users who hold it.
        auto role = Build<TRolePropForm>();
        const int roleUnit = UnitAt(Need<TControl>(role.get(), "Edit4")->Caption());
        const QString roleName = Need<TControl>(role.get(), "Edit3")->Caption();
        rightsHolder_ = ChildNamed(roleUnit, roleName);
        const qint64 rolePost = Ref(postByName_, roleName, "post");
        auto* roleUsers = Need<TTavikPTGrid>(role.get(), "TavikPTGrid1");
        for (int r = 1; r < roleUsers->RowCount(); ++r) {
            const qint64 user = Ref(userByLogin_, Cell(roleUsers, 1, r), "user");
            if (user != firstUser_) // the user screen has already given the first user this post
                later_.push_back(StoreChange::Insert(TableId::UserPost, {user, rolePost, units_[size_t(roleUnit)].ref}));
        }

        // The department dialog: the unit's code, its posts and its people.
        auto depart = Build<TDepartPropForm>();
        const QString departName = Need<TControl>(depart.get(), "Edit3")->Caption();
        departUnit_ = -1;
        for (size_t i = 0; i < units_.size(); ++i)
            if (WithoutOrderNumber(units_[i].name) == departName && units_[i].kind != int(UnitKind::Post))
                departUnit_ = int(i);
        if (departUnit_ < 0)
            throw StoreError(QStringLiteral("Cannot seed the store: the sample organisation has no unit %1.").arg(departName));
        units_[size_t(departUnit_)].code = Need<TControl>(depart.get(), "Edit4")->Caption();
        auto* departPosts = Need<TTavikPTGrid>(depart.get(), "TavikPTGrid2");
        for (int r = 1; r < departPosts->RowCount(); ++r)
            later_.push_back(StoreChange::Insert(TableId::UnitPost, {units_[size_t(departUnit_)].ref, Ref(postByCode_, Cell(departPosts, 2, r), "post")}));
        auto* departUsers = Need<TTavikPTGrid>(depart.get(), "TavikPTGrid1");
        for (int r = 1; r < departUsers->RowCount(); ++r)
            later_.push_back(StoreChange::Insert(TableId::UnitUser, {units_[size_t(departUnit_)].ref, Ref(userByLogin_, Cell(departUsers, 1, r), "user")}));
    }

    void ReadRights()
    {
        auto form = Build<TRightSetForm>();
        const qint64 holder = units_[size_t(rightsHolder_)].ref;
        const qint64 depart = units_[size_t(departUnit_)].ref;

        // Page 4: the function tree and the holder's six flags on each function.
        auto* functions = Need<TTavikPTGrid>(form.get(), "TavikPTGrid7");
        const int levelCol = functions->LevelCol();
        std::vector<std::pair<int, qint64>> open; // level, function of the rows above
        std::map<qint64, int> childCount;
        for (int r = 1; r < functions->RowCount(); ++r) {
            const int level = Cell(functions, levelCol, r).toInt();
            while (!open.empty() && open.back().first >= level)
                open.pop_back();
            const QVariant parent = open.empty() ? QVariant() : QVariant(open.back().second);
            const qint64 ref = NewRef();
            const QString name = Cell(functions, 1, r);
            functionByName_[name] = ref;
            later_.push_back(StoreChange::Insert(TableId::Function,
                                                 {parent, childCount[open.empty() ? 0 : open.back().second]++, name, QVariant(), QVariant()}, ref));
            QVariantList right{holder, ref};
            for (int c = 2; c <= 7; ++c)
                right << Tri(Cell(functions, c, r));
            later_.push_back(StoreChange::Insert(TableId::Right, right));
            open.emplace_back(level, ref);
        }

        // Page 1: the department's administrators and the functions they may manage.
        units_[size_t(departUnit_)].adminEnabled = Need<TSkinCheckBox>(form.get(), "SkinCheckBox2")->Checked();
        auto* admins = Need<TTavikPTGrid>(form.get(), "TavikPTGrid1");
        for (int r = 1; r < admins->RowCount(); ++r)
            later_.push_back(StoreChange::Insert(TableId::DeptAdmin, {depart, Ref(userByLogin_, Cell(admins, 2, r), "user")}));
        auto* managed = Need<TTavikPTGrid>(form.get(), "TavikPTGrid3");
        for (int r = 1; r < managed->RowCount(); ++r)
            later_.push_back(StoreChange::Insert(TableId::AdminFunction, {depart, Ref(functionByName_, Cell(managed, 1, r), "function")}));

        // Page 2: units and people under the holder; a unit's code is the one shown.
        auto* subordinates = Need<TTavikPTGrid>(form.get(), "TavikPTGrid2");
        for (int r = 1; r < subordinates->RowCount(); ++r) {
            const QString name = Cell(subordinates, 1, r);
            const QString code = Cell(subordinates, 2, r);
            const int at = UnitAt(Cell(subordinates, 3, r));
            if (Cell(subordinates, 4, r) == QStringLiteral("人员")) {
                later_.push_back(StoreChange::Insert(TableId::Subordination, {holder, units_[size_t(at)].ref, Ref(userByLogin_, code, "user"), r - 1}));
            } else {
                const int unit = ChildNamed(at, name);
                units_[size_t(unit)].code = code;
                later_.push_back(StoreChange::Insert(TableId::Subordination, {holder, units_[size_t(unit)].ref, QVariant(), r - 1}));
            }
        }

        // Page 3: the roles the holder trusts.
        auto* trusted = Need<TTavikPTGrid>(form.get(), "TavikPTGrid6");
        for (int r = 1; r < trusted->RowCount(); ++r) {
            const int unit = ChildNamed(UnitAt(Cell(trusted, 4, r)), Cell(trusted, 1, r));
            units_[size_t(unit)].code = Cell(trusted, 2, r);
            later_.push_back(StoreChange::Insert(TableId::Trust, {holder, units_[size_t(unit)].ref, Cell(trusted, 3, r), r - 1}));
        }

        // Page 5: resource classes, resources (of the one class shown) and the holder's policies.
        auto* classes = Need<TTavikPTGrid>(form.get(), "TavikPTGrid4");
        qint64 firstClass = 0;
        for (int r = 1; r < classes->RowCount(); ++r) {
            const qint64 ref = NewRef();
            if (!firstClass)
                firstClass = ref;
            later_.push_back(StoreChange::Insert(TableId::ResourceClass, {Cell(classes, 2, r), Cell(classes, 1, r)}, ref));
        }
        auto* resources = Need<TTavikPTGrid>(form.get(), "TavikPTGrid5");
        for (int r = 1; r < resources->RowCount() && firstClass; ++r) {
            const qint64 ref = NewRef();
            later_.push_back(StoreChange::Insert(TableId::Resource, {firstClass, Cell(resources, 2, r), Cell(resources, 1, r)}, ref));
            later_.push_back(StoreChange::Insert(TableId::ResourcePolicy, {holder, ref, Tri(Cell(resources, 3, r)), Tri(Cell(resources, 4, r)),
                                                                           Tri(Cell(resources, 5, r))}));
        }
    }

    qint64 lastRef_ = 0;
    std::vector<StoreChange> posts_, users_, later_;
    std::vector<Unit> units_;
    std::map<QString, qint64> postByCode_, postByName_, userByLogin_, functionByName_;
    std::vector<std::pair<QString, QString>> heldPosts_; // code, path
    qint64 firstUser_ = 0;
    int rightsHolder_ = -1;
    int departUnit_ = -1;
};

} // namespace

void SeedStore(RightsStore& store)
{
    // Building a work screen makes its theme the process's; the program's
    // own windows keep the one they had.
    const QString theme = TSkinNexus::Instance().GetTheme();
    try {
        Seeder().Run(store);
    } catch (...) {
        TSkinNexus::Instance().SetTheme(theme);
        throw;
    }
    TSkinNexus::Instance().SetTheme(theme);
}
