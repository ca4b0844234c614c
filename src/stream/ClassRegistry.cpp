#include "stream/ClassRegistry.h"

#include <strings.h>

#include "platform/base/AppContext.h"

const PropertyInfo* ClassInfo::Find(const std::string& propertyName) const
{
    // Every stored property is looked up along the class chain: names of
    // another length are passed over without comparing them.
    for (const ClassInfo* c = this; c; c = c->parent)
        for (const auto& p : c->properties)
            if (p.name.size() == propertyName.size() && strcasecmp(p.name.c_str(), propertyName.c_str()) == 0)
                return &p;
    return nullptr;
}

bool ClassInfo::Publishes(const std::string& propertyName) const
{
    const PropertyInfo* p = Find(propertyName);
    return p && p->published;
}

std::vector<const PropertyInfo*> ClassInfo::AllProperties() const
{
    std::vector<const ClassInfo*> chain;
    for (const ClassInfo* c = this; c; c = c->parent)
        chain.insert(chain.begin(), c);
    std::vector<const PropertyInfo*> out;
    for (const ClassInfo* c : chain)
        for (const auto& p : c->properties) {
            bool replaced = false;
            for (auto& existing : out)
                if (strcasecmp(existing->name.c_str(), p.name.c_str()) == 0) {
                    existing = &p;
                    replaced = true;
                }
            if (!replaced)
                out.push_back(&p);
        }
    return out;
}

bool ClassInfo::InheritsFrom(const std::string& className) const
{
    for (const ClassInfo* c = this; c; c = c->parent)
        if (c->name == className)
            return true;
    return false;
}

ClassRegistry& ClassRegistry::Instance()
{
    return AppContext().State<ClassRegistry>();
}

ClassInfo& ClassRegistry::Register(const std::string& name, const std::string& parent,
                                   std::function<TComponent*(TComponent*)> create)
{
    auto& slot = classes_[name];
    if (!slot) {
        slot = std::make_unique<ClassInfo>();
        slot->name = name;
        if (!parent.empty()) {
            slot->parent = Find(parent);
            if (!slot->parent)
                throw Exception("Class " + parent + " must be registered before " + name);
        }
        slot->create = std::move(create);
    }
    return *slot;
}

const ClassInfo* ClassRegistry::Find(const std::string& name) const
{
    auto it = classes_.find(name);
    if (it != classes_.end())
        return it->second.get();
    for (const auto& [key, info] : classes_)
        if (strcasecmp(key.c_str(), name.c_str()) == 0)
            return info.get();
    return nullptr;
}

const ClassInfo* ClassRegistry::ForObject(const TPersistent* object) const
{
    return object ? Find(object->ClassName()) : nullptr;
}


std::vector<std::string> ClassRegistry::ClassNames() const
{
    std::vector<std::string> names;
    names.reserve(classes_.size());
    for (const auto& entry : classes_)
        names.push_back(entry.first);
    return names;
}
