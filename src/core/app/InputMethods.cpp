#include "InputMethods.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace tkd {

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(500);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList fcitx5ProfileEngines()
{
    const QString profile = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                                .filePath(QStringLiteral("fcitx5/profile"));
    QFile file(profile);
    QStringList names;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QStringLiteral("Name=")) && !names.contains(line.mid(5)))
            names << line.mid(5);
    }
    return names;
}

} // namespace

InputMethods::Framework InputMethods::detect()
{
    if (!QStandardPaths::findExecutable(QStringLiteral("ibus")).isEmpty())
        return Framework::IBus;
    if (!QStandardPaths::findExecutable(QStringLiteral("fcitx5-remote")).isEmpty())
        return Framework::Fcitx5;
    return Framework::None;
}

QStringList InputMethods::engines()
{
    QStringList names;
    switch (detect()) {
    case Framework::IBus:
        for (const QString& line :
             run(QStringLiteral("ibus"), {QStringLiteral("list-engine"), QStringLiteral("--name-only")})
                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            // Older versions print language headings and "name - description" lines.
            const QString trimmed = line.trimmed();
            if (trimmed.isEmpty() || trimmed.startsWith(QStringLiteral("language:")))
                continue;
            const QString name = trimmed.section(QStringLiteral(" - "), 0, 0).trimmed();
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
        break;
    case Framework::Fcitx5:
        names = fcitx5ProfileEngines();
        break;
    case Framework::None:
        break;
    }
    return names;
}

bool InputMethods::activate(const QString& engine)
{
    if (engine.trimmed().isEmpty())
        return false;
    switch (detect()) {
    case Framework::IBus:
        return QProcess::startDetached(QStringLiteral("ibus"), {QStringLiteral("engine"), engine.trimmed()});
    case Framework::Fcitx5:
        return QProcess::startDetached(QStringLiteral("fcitx5-remote"), {QStringLiteral("-s"), engine.trimmed()});
    case Framework::None:
        break;
    }
    return false;
}

} // namespace tkd
