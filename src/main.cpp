#include "app/Startup.h"
#include "app/TimeZone.h"
#include "app/TkdApplication.h"

#include <QCommandLineParser>

int main(int argc, char** argv)
{
    tkd::pinLocalTimeZone();
    tkd::gui::TkdApplication app(argc, argv);

    QCommandLineParser options;
    options.setApplicationDescription(tkd::gui::TkdApplication::title());
    options.addHelpOption();
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Use this folder in place of the program's own (data, INI, backups)."),
                                  QStringLiteral("folder"));
    options.addOption(home);
    options.process(app);

    const tkd::AppPaths paths = options.isSet(home)
                                    ? tkd::AppPaths::inFolder(options.value(home))
                                    : tkd::AppPaths::forProgram(QCoreApplication::applicationFilePath());
    tkd::gui::Startup startup(paths, std::make_unique<tkd::Clock>());
    if (!startup.start())
        return 1;
    return app.exec();
}
