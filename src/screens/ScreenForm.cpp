#include "screens/ScreenForm.h"

#include "stream/ClassRegistry.h"
#include "stream/FormLoader.h"

void TScreenForm::Build(const QString& definition)
{
    // Dialogs that no launcher lists name their class in their definition too.
    auto& registry = ClassRegistry::Instance();
    if (!registry.Find(ClassName()))
        registry.Register(ClassName(), StaticClassName());
    LoadFormResource(this, QStringLiteral(":/screens/") + definition + QStringLiteral(".form"));
    DoCreate();
}

void TScreenForm::ThrowMissing(const char* name) const
{
    throw Exception(std::string(ClassName()) + ": the stored definition has no component " + name +
                    " of the expected class");
}

void TScreenForm::EmptyHandlers(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        Handler<TNotifyEvent>(name, [](TObject*) {});
}

void TScreenForm::ExitHandler()
{
    Handler<TNotifyEvent>("acExitExecute", [this](TObject*) { Close(); });
}
