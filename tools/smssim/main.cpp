#include "SimulatedGateway.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

// Runs a local stand-in for the SMS gateway. See the README ("Trying the SMS window").
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("smssim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("SMS gateway simulator: POST http://127.0.0.1:PORT/smsgbk.aspx"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one."),
                                  QStringLiteral("port"), QStringLiteral("8808"));
    const QCommandLineOption account(QStringLiteral("account"),
                                     QStringLiteral("An account as name:password:credit (repeatable). "
                                                    "Default: demo:demo:100."),
                                     QStringLiteral("account"));
    const QCommandLineOption slow(QStringLiteral("slow"), QStringLiteral("Delay every reply by this many ms."),
                                  QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption httpError(QStringLiteral("http-error"), QStringLiteral("Answer every request with 500."));
    const QCommandLineOption garbage(QStringLiteral("garbage"), QStringLiteral("Answer with text that is not XML."));
    const QCommandLineOption noMessage(QStringLiteral("no-message"),
                                       QStringLiteral("Answer XML without a message element."));
    const QCommandLineOption bom(QStringLiteral("bom"),
                                 QStringLiteral("Answer in UTF-8 with a byte-order mark and blank lines first."));
    const QCommandLineOption huge(QStringLiteral("huge"), QStringLiteral("Answer with a reply over 64 KiB."));
    const QCommandLineOption plain(QStringLiteral("plain"), QStringLiteral("Never compress replies."));
    const QCommandLineOption record(QStringLiteral("record"), QStringLiteral("Append every raw request to this file."),
                                    QStringLiteral("file"));
    parser.addOptions({port, account, slow, httpError, garbage, noMessage, bom, huge, plain, record});
    parser.process(app);

    QTextStream err(stderr);
    SimulatedGateway gateway;
    QStringList accounts = parser.values(account);
    if (accounts.isEmpty())
        accounts << QStringLiteral("demo:demo:100");
    for (const QString& spec : accounts) {
        const QStringList parts = spec.split(QLatin1Char(':'));
        bool numeric = false;
        const qint64 credit = parts.value(2).toLongLong(&numeric);
        if (parts.size() != 3 || parts[0].isEmpty() || !numeric) {
            err << "bad --account " << spec << " (want name:password:credit)" << Qt::endl;
            return 2;
        }
        gateway.addAccount(parts[0], {parts[1], credit});
    }
    gateway.setDelayMs(parser.value(slow).toInt());
    gateway.setGzip(!parser.isSet(plain));
    if (parser.isSet(httpError))
        gateway.setFault(SimulatedGateway::Fault::HttpError);
    else if (parser.isSet(garbage))
        gateway.setFault(SimulatedGateway::Fault::Garbage);
    else if (parser.isSet(noMessage))
        gateway.setFault(SimulatedGateway::Fault::NoMessage);
    else if (parser.isSet(bom))
        gateway.setFault(SimulatedGateway::Fault::Bom);
    else if (parser.isSet(huge))
        gateway.setFault(SimulatedGateway::Fault::Huge);
    if (parser.isSet(record) && !gateway.setRecordFile(parser.value(record))) {
        err << "cannot write " << parser.value(record) << Qt::endl;
        return 2;
    }
    if (!gateway.listen(static_cast<quint16>(parser.value(port).toUInt()))) {
        err << "cannot listen on port " << parser.value(port) << Qt::endl;
        return 1;
    }
    QTextStream out(stdout);
    out << "listening on " << gateway.port() << Qt::endl;
    return QCoreApplication::exec();
}
