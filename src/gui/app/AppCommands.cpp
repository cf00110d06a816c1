#include "AreaCommands.h"
#include "CommandRegistry.h"
#include "TaboutForm.h"
#include "TmainForm.h"
#include "TsrfForm.h"
#include "TuserinfoForm.h"
#include "app/AppContext.h"
#include "app/InputMethods.h"
#include "kit/Messages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace tkd::gui {

namespace {

// The about window's two kinds are two windows of one class: each its own type for the registry.
class TcopyrightForm : public TaboutForm {
public:
    explicit TcopyrightForm(QWidget* parent) : TaboutForm(Kind::Copyright, parent) {}
};

class TintroductionForm : public TaboutForm {
public:
    explicit TintroductionForm(QWidget* parent) : TaboutForm(Kind::Introduction, parent) {}
};

void openManual(CommandRegistry& r)
{
    const QString manual = r.session().paths().manualFile();
    if (!QFileInfo::exists(manual)) {
        Messages::error(r.frame(), QStringLiteral("操作手册不存在！"));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

} // namespace

void registerAllCommands(CommandRegistry& registry, TmainForm& frame)
{
    registerAppCommands(registry, frame);
    registerDeskCommands(registry);
    registerPointsCommands(registry);
    registerMemberCommands(registry);
    registerPaymentCommands(registry);
    registerLockerWindows(registry);
    registerCardTypeCommands(registry);
    registerStaffCommands(registry);
    registerSmsCommands(registry);
    registerSettingsCommands(registry);
    registerSecurityCommands(registry);
    registerCatalogueCommands(registry);
    registerPurchasingCommands(registry);
    registerCheckoutCommands(registry);
    registerCoachingCommands(registry);
    registerLeaveCommands(registry);
    registerAssessmentCommands(registry);
}

void registerAppCommands(CommandRegistry& r, TmainForm& frame)
{
    r.addWindow<TuserinfoForm>([&r] {
        auto* form = new TuserinfoForm(r.session(), r.frame());
        QObject::connect(form, &TuserinfoForm::hallNameChanged, &r, &CommandRegistry::hallNameChanged);
        return form;
    });
    r.addWindow<TsrfForm>(
        [&r] { return new TsrfForm(r.session().paths().iniFile(), InputMethods::engines(), r.frame()); });
    r.addWindow<TcopyrightForm>([&r] { return new TcopyrightForm(r.frame()); });
    r.addWindow<TintroductionForm>([&r] { return new TintroductionForm(r.frame()); });

    r.add({QStringLiteral("exit"), {}, WithoutMember::Runs, [&frame] { frame.requestExit(); }});
    r.add({QStringLiteral("manual"), {}, WithoutMember::Runs, [&r] { openManual(r); }});
    r.add({QStringLiteral("copyright"), {}, WithoutMember::Runs, [&r] { r.window<TcopyrightForm>()->exec(); }});
    r.add({QStringLiteral("introduction"), {}, WithoutMember::Runs, [&r] { r.window<TintroductionForm>()->exec(); }});
    r.add({QStringLiteral("inputMethod"), {}, WithoutMember::Runs, [&r] { r.window<TsrfForm>()->exec(); }});
    r.add({QStringLiteral("userInfo"), {}, WithoutMember::Runs, [&r] {
               TuserinfoForm* form = r.window<TuserinfoForm>();
               form->prepare();
               form->exec();
           }});
}

} // namespace tkd::gui
