#include "app/TimeZone.h"
#include "data/Paths.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"
#include "demo/DemoHall.h"
#include "demo/Photos.h"
#include "security/PasswordHash.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

int positiveNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int fallback, bool* ok)
{
    if (!parser.isSet(option))
        return fallback;
    const int value = parser.value(option).toInt(ok);
    *ok = *ok && value >= 0;
    return value;
}

} // namespace

// Creates FOLDER/data/tkd.cld with a complete sample hall and photos in FOLDER/photos.
int main(int argc, char* argv[])
{
    tkd::pinLocalTimeZone();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("demohall"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("生成示例道馆数据：FOLDER/data/tkd.cld 与 FOLDER/photos/"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("程序目录（之后用 ./run.sh --home FOLDER 启动）"));
    const tkd::demo::HallSize defaults;
    const QCommandLineOption members(QStringLiteral("members"),
                                     QStringLiteral("会员人数（默认 %1）").arg(defaults.members), QStringLiteral("N"));
    const QCommandLineOption visits(QStringLiteral("visits-per-member"),
                                    QStringLiteral("每位会员平均登记次数（默认 %1）").arg(defaults.visitsPerMember),
                                    QStringLiteral("N"));
    parser.addOptions({members, visits});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        err << "用法：demohall FOLDER [--members N] [--visits-per-member N]" << Qt::endl;
        return 2;
    }
    tkd::demo::HallSize size;
    bool ok = true;
    size.members = positiveNumber(parser, members, size.members, &ok);
    if (ok)
        size.visitsPerMember = positiveNumber(parser, visits, size.visitsPerMember, &ok);
    if (!ok || size.members > 999999) {
        err << "会员人数与登记次数须为非负整数（会员至多 999999 人）" << Qt::endl;
        return 2;
    }

    const tkd::AppPaths paths = tkd::AppPaths::inFolder(args.first());
    const QString databaseFile = paths.databaseFile();
    if (QFileInfo::exists(databaseFile)) {
        err << "数据库已存在，未作任何改动：" << QDir::toNativeSeparators(databaseFile) << Qt::endl;
        return 1;
    }
    const QString photoDir = QDir(paths.programDir).filePath(QStringLiteral("photos"));
    if (!QDir().mkpath(photoDir)) {
        err << "无法创建照片目录：" << photoDir << Qt::endl;
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    tkd::TvelunDMForm dm;
    try {
        dm.connect(databaseFile, QString::fromUtf16(tkd::kDatabaseKey));
        // About two members in three have a photo.
        tkd::demo::generate(dm, size, QDate::currentDate(), [&](int index, const QString& card) {
            return index % 3 == 2 ? QString() : QDir(photoDir).filePath(card + QStringLiteral(".jpg"));
        });
    } catch (const tkd::DbError& e) {
        dm.disconnect();
        QFile::remove(databaseFile);
        err << "生成失败：" << e.message() << Qt::endl;
        return 1;
    }

    const tkd::ResultSet photos =
        dm.list(QStringLiteral("select [会员照片] from [会员信息] where [会员照片]<>'' order by [会员卡号]"));
    int written = 0;
    for (int i = 0; i < photos.rowCount(); ++i)
        if (tkd::demo::writePhoto(photos.value(i, 0).toText(), i))
            ++written;

    auto rows = [&](const char16_t* table) {
        return dm.db().scalar(QStringLiteral("select count(*) from [%1]").arg(QString::fromUtf16(table))).toInt();
    };
    out << "示例道馆已生成：" << QDir::toNativeSeparators(databaseFile) << Qt::endl
        << "  会员 " << rows(u"会员信息") << " 人，登记 " << rows(u"会员登记") << " 次，交费 " << rows(u"会员充值")
        << " 笔，消费 " << rows(u"会员消费") << " 笔，兑换 " << rows(u"兑换商品") << " 笔" << Qt::endl
        << "  私教 " << rows(u"购买私教") << " 份，上课 " << rows(u"私教消费") << " 次" << Qt::endl
        << "  请假 " << rows(u"会员请假") << " 条，衣柜 " << rows(u"衣柜设置") << " 个，事件提醒 " << rows(u"事件提醒")
        << " 条，照片 " << written << " 张" << Qt::endl
        << "  用时 " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " 秒" << Qt::endl;
    // The members a newcomer tries leave and points with.
    const tkd::Params onToday{{QStringLiteral("today"), QDate::currentDate()}};
    const auto leaveLine = [&](const char16_t* caption, const char16_t* where) {
        const tkd::ResultSet r = dm.list(
            QStringLiteral("select [会员卡号],[会员姓名],[开始日期],[结束日期] from [会员请假] where %1 order by "
                           "[会员卡号]")
                .arg(QString::fromUtf16(where)),
            onToday);
        for (int i = 0; i < r.rowCount(); ++i)
            out << "  " << QString::fromUtf16(caption) << r.value(i, 0).toText() << " " << r.value(i, 1).toText()
                << "（" << r.value(i, 2).toDate().toString(QStringLiteral("yyyy-MM-dd")) << " 至 "
                << r.value(i, 3).toDate().toString(QStringLiteral("yyyy-MM-dd")) << "）" << Qt::endl;
    };
    leaveLine(u"正在请假：", u"[开始日期]<=:today and [结束日期]>=:today");
    leaveLine(u"将要请假：", u"[开始日期]>:today");
    const tkd::ResultSet days =
        dm.list(QStringLiteral("select [会员卡号],[会员姓名],[会籍天数] from [兑换商品] where [商品编号]='000000' "
                               "order by [会员卡号]"));
    for (int i = 0; i < days.rowCount(); ++i)
        out << "  积分换会籍：" << days.value(i, 0).toText() << " " << days.value(i, 1).toText() << " "
            << days.value(i, 2).toInt() << " 天" << Qt::endl;
    out << "启动：./run.sh --home " << args.first() << "，以 超级用户 / "
        << QString::fromUtf16(tkd::security::kInitialSuperUserPassword) << " 登录（前台操作员 "
        << tkd::demo::deskOperatorName() << " / 1234）" << Qt::endl;
    dm.disconnect();
    return written == photos.rowCount() ? 0 : 1;
}
