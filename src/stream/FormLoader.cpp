#include "stream/FormLoader.h"

#include "platform/base/AppContext.h"
#include "platform/base/ResourceFile.h"
#include "platform/framework/Form.h"
#include <memory>
#include <unordered_map>
#include "stream/ClassRegistry.h"
#include "stream/FormReader.h"

namespace {

void SplitFirst(const std::string& name, std::string& head, std::string& rest)
{
    const auto dot = name.find('.');
    head = name.substr(0, dot);
    rest = dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

struct Loader {
    LoadContext ctx;
    std::vector<TComponent*> created;
    std::vector<SourcePos> createdAt;

    void ApplyAll(TPersistent* object, const ClassInfo& info, const std::vector<FormProperty>& properties)
    {
        for (const FormProperty& p : properties)
            ApplyProperty(object, info, p, ctx);
    }

    void LoadChildren(TWinControl* parent, const FormObject& node)
    {
        for (const FormObject& child : node.children) {
            const ClassInfo* info = ClassRegistry::Instance().Find(child.className);
            if (!info || !info->create)
                ctx.Fail(child.pos, "unknown class " + child.className);
            TComponent* c = info->create(ctx.root);
            created.push_back(c);
            createdAt.push_back(child.pos);
            c->BeginLoading();
            try {
                c->SetName(QString::fromStdString(child.name));
            } catch (const Exception& e) {
                ctx.Fail(child.pos, e.what());
            }
            auto* control = dynamic_cast<TControl*>(c);
            if (control && parent)
                control->SetParent(parent);
            ApplyAll(c, *info, child.properties);
            if (!child.children.empty()) {
                auto* win = dynamic_cast<TWinControl*>(c);
                if (!win)
                    ctx.Fail(child.children.front().pos, child.className + " cannot hold other components");
                LoadChildren(win, child);
            }
        }
    }
};

void EndLoadingAt(TComponent* c, SourcePos pos, const LoadContext& ctx)
{
    try {
        c->EndLoading();
    } catch (const EFormError&) {
        throw;
    } catch (const std::exception& e) {
        ctx.Fail(pos, e.what());
    }
}

void RealignTree(TWinControl* control)
{
    control->Realign();
    for (TControl* c : control->ControlList())
        if (auto* w = dynamic_cast<TWinControl*>(c))
            RealignTree(w);
}

} // namespace

void ApplyProperty(TPersistent* object, const ClassInfo& info, const FormProperty& property, LoadContext& ctx)
{
    std::string head, rest;
    SplitFirst(property.name, head, rest);
    const PropertyInfo* p = info.Find(head);
    if (!p)
        ctx.Fail(property.pos, "unknown property " + head + " of class " + info.name);
    if (!rest.empty()) {
        if (!p->subObject || !p->subClass)
            ctx.Fail(property.pos, "property " + head + " of class " + info.name + " has no sub-properties");
        FormProperty inner{rest, property.value, property.pos};
        ApplyProperty(p->subObject(object), *p->subClass, inner, ctx);
        return;
    }
    if (!p->read)
        ctx.Fail(property.pos, "property " + head + " of class " + info.name + " cannot be set directly");
    // A setter of any layer may refuse the value (a grid's fixed count, a page
    // control's tab style); the reader only sees where it stands.
    try {
        p->read(object, property.value, ctx);
    } catch (const EFormError&) {
        throw;
    } catch (const std::exception& e) {
        ctx.Fail(property.value.pos, e.what());
    }
}

void LoadForm(TCustomForm* form, const FormObject& tree, const std::string& resource)
{
    Loader loader;
    loader.ctx.resource = resource;
    loader.ctx.root = form;
    const ClassInfo* info = ClassRegistry::Instance().ForObject(form);
    if (!info)
        loader.ctx.Fail(tree.pos, std::string("class ") + form->ClassName() + " is not registered");
    if (tree.className != form->ClassName())
        loader.ctx.Fail(tree.pos, std::string("class ") + form->ClassName() + " expected, found " + tree.className);
    form->BeginLoading();
    form->SetName(QString::fromStdString(tree.name));
    loader.ApplyAll(form, *info, tree.properties);
    loader.LoadChildren(form, tree);
    // Loaded runs in reading order, the form last, once everything exists; a
    // fault there is the component's.
    for (size_t i = 0; i < loader.created.size(); ++i)
        EndLoadingAt(loader.created[i], loader.createdAt[i], loader.ctx);
    EndLoadingAt(form, tree.pos, loader.ctx);
    RealignTree(form);
}

namespace {

// The definitions built into the program, each read once: they cannot change
// while it runs, and reading one costs as much as building much of its screen.
// A screen is still built anew from its definition every time it opens.
struct BuiltInDefinitions {
    std::unordered_map<QString, std::unique_ptr<const FormObject>> read;
};

bool IsBuiltIn(const QString& path)
{
    return path.startsWith(QLatin1String(":/"));
}

FormObject ReadDefinition(const QString& path, const std::string& resource)
{
    QByteArray data;
    if (!ReadResourceFile(path, data))
        throw EFormError(resource, {}, "cannot open the stored definition");
    return ReadForm(std::string_view(data.constData(), data.size()), resource);
}

} // namespace

void LoadFormResource(TCustomForm* form, const QString& path)
{
    const std::string resource = path.toStdString();
    if (!IsBuiltIn(path)) {
        LoadForm(form, ReadDefinition(path, resource), resource);
        return;
    }
    auto& read = AppContext().State<BuiltInDefinitions>().read;
    auto it = read.find(path);
    if (it == read.end())
        it = read.emplace(path, std::make_unique<const FormObject>(ReadDefinition(path, resource))).first;
    LoadForm(form, *it->second, resource);
}

namespace {

void SaveProperties(const TPersistent* object, const ClassInfo& info, const std::string& prefix,
                    std::vector<FormProperty>& out)
{
    for (const PropertyInfo* p : info.AllProperties()) {
        if (p->subObject && p->subClass) {
            if (p->subStored && !p->subStored(object))
                continue;
            const TPersistent* sub = p->subObject(const_cast<TPersistent*>(object));
            SaveProperties(sub, *p->subClass, prefix + p->name + ".", out);
            continue;
        }
        if (!p->write)
            continue;
        if (auto v = p->write(object))
            out.push_back(FormProperty{prefix + p->name, *v, {}});
    }
}

FormObject SaveComponent(const TComponent* c, const TCustomForm* root)
{
    FormObject node;
    node.name = c->Name().toStdString();
    node.className = c->ClassName();
    if (const ClassInfo* info = ClassRegistry::Instance().ForObject(c))
        SaveProperties(c, *info, "", node.properties);
    // Children are the root's components whose parent is this control; the
    // root also holds the components that are not controls.
    for (int i = 0; i < root->ComponentCount(); ++i) {
        const TComponent* child = root->Components(i);
        const auto* control = dynamic_cast<const TControl*>(child);
        const bool belongs = control ? control->Parent() == c : c == root;
        if (belongs && !child->Name().isEmpty())
            node.children.push_back(SaveComponent(child, root));
    }
    return node;
}

} // namespace

FormObject SaveForm(const TCustomForm* form)
{
    return SaveComponent(form, form);
}
