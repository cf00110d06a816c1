#include "kit/GridExport.h"
#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "app/Startup.h"
#include "app/TLoginForm.h"
#include "app/TmainForm.h"
#include "frontdesk/HistoryTabs.h"
#include "kit/DataGrid.h"
#include "kit/FileDialogs.h"
#include "security/PasswordHash.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace tkd;
using tkd::test::s;

namespace {

// RFC 4180 records: quoted fields may hold commas, doubled quotes and line breaks.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records << (record << field);
    return records;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A member of the zip through the unzip tool; empty (with a test failure) when it is missing.
QByteArray zipMember(const QString& zip, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    if (!unzip.waitForFinished(30000) || unzip.exitStatus() != QProcess::NormalExit || unzip.exitCode() != 0) {
        ADD_FAILURE() << "unzip -p " << zip.toStdString() << " " << member.toStdString()
                      << " failed: " << unzip.errorString().toStdString() << unzip.readAllStandardError().toStdString();
        return {};
    }
    return unzip.readAllStandardOutput();
}

QString attribute(const QXmlStreamReader& r, const char* name)
{
    return r.attributes().value(QLatin1String(name)).toString();
}

struct SheetCell {
    // "s" for a shared string, "n" for a number (the attribute left out), "str"/"inlineStr" for text.
    QString type;
    // The text itself for strings, the number as written otherwise.
    QString value;
    QString format;
};

// The first worksheet of a workbook as cells by reference ("A1"), strings and formats resolved.
class Workbook {
public:
    explicit Workbook(const QString& path)
    {
        readStrings(zipMember(path, QStringLiteral("xl/sharedStrings.xml")));
        readFormats(zipMember(path, QStringLiteral("xl/styles.xml")));
        readSheet(zipMember(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    }
    const QMap<QString, SheetCell>& cells() const { return m_cells; }
    SheetCell at(const QString& ref) const { return m_cells.value(ref); }
    QString text(const QString& ref) const { return m_cells.value(ref).value; }
    int lastRow() const { return m_lastRow; }
    // Columns used in the title row.
    int width() const
    {
        int n = 0;
        while (m_cells.contains(QString(QChar(char16_t(u'A' + n))) + QLatin1Char('1')))
            ++n;
        return n;
    }

private:
    void readStrings(const QByteArray& xml)
    {
        QXmlStreamReader r(xml);
        QString current;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == u"si")
                current.clear();
            else if (r.isStartElement() && r.name() == u"t")
                current += r.readElementText();
            else if (r.isEndElement() && r.name() == u"si")
                m_strings << current;
        }
        if (r.hasError())
            ADD_FAILURE() << "sharedStrings.xml: " << r.errorString().toStdString();
    }
    void readFormats(const QByteArray& xml)
    {
        // Built-in number formats the writer may choose instead of declaring its own.
        QMap<int, QString> codes{{0, QStringLiteral("General")}, {2, QStringLiteral("0.00")}};
        QXmlStreamReader r(xml);
        bool inCellFormats = false;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == u"numFmt")
                codes.insert(attribute(r, "numFmtId").toInt(), attribute(r, "formatCode"));
            else if (r.isStartElement() && r.name() == u"cellXfs")
                inCellFormats = true;
            else if (r.isEndElement() && r.name() == u"cellXfs")
                inCellFormats = false;
            else if (inCellFormats && r.isStartElement() && r.name() == u"xf") {
                const int id = attribute(r, "numFmtId").toInt();
                m_formats << codes.value(id, QStringLiteral("built-in %1").arg(id));
            }
        }
    }
    void readSheet(const QByteArray& xml)
    {
        QXmlStreamReader r(xml);
        QString ref;
        SheetCell cell;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == u"c") {
                ref = attribute(r, "r");
                cell = {r.attributes().hasAttribute(QStringLiteral("t")) ? attribute(r, "t") : QStringLiteral("n"),
                        {},
                        m_formats.value(attribute(r, "s").toInt(), QStringLiteral("General"))};
            } else if (r.isStartElement() && (r.name() == u"v" || r.name() == u"t")) {
                cell.value = r.readElementText();
                if (cell.type == u"s")
                    cell.value = m_strings.value(cell.value.toInt());
            } else if (r.isEndElement() && r.name() == u"c") {
                m_cells.insert(ref, cell);
                const qsizetype digits = ref.indexOf(QRegularExpression(QStringLiteral("[0-9]")));
                m_lastRow = std::max(m_lastRow, ref.mid(digits).toInt());
            }
        }
        if (r.hasError())
            ADD_FAILURE() << "sheet1.xml: " << r.errorString().toStdString();
    }

    QStringList m_strings;
    QStringList m_formats;
    QMap<QString, SheetCell> m_cells;
    int m_lastRow = 0;
};

class GridExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(out.isValid()); }

    // Three payments; the list a window would show, ordered by day.
    ResultSet payments()
    {
        const QString insert = s(u"insert into [会员充值] ([充值日期],[会员卡号],[会员姓名],[充值金额],[优惠金额],"
                                 u"[充值说明],[备注],[操作员]) values(:rq,:hykh,:hyxm,:je,:yh,:sm,:bz,:czy)");
        db.dm().change(insert, {{s(u"rq"), QDateTime(QDate(2024, 3, 1), QTime(10, 0))},
                                {s(u"hykh"), s(u"1001")},
                                {s(u"hyxm"), s(u"张伟")},
                                {s(u"je"), Money::fromYuan(300)},
                                {s(u"yh"), Money::fromUnits(125000)},
                                {s(u"sm"), s(u"续费等级：月卡")},
                                {s(u"bz"), s(u"先付一半,\"余款\"下周")},
                                {s(u"czy"), s(u"超级用户")}});
        db.dm().change(insert, {{s(u"rq"), QDate(2024, 3, 2)},
                                {s(u"hykh"), s(u"1002")},
                                {s(u"hyxm"), s(u"李娜")},
                                {s(u"je"), Money::fromUnits(12345678)},
                                {s(u"yh"), Value()},
                                {s(u"sm"), s(u"会员交费")},
                                {s(u"bz"), s(u"第一行\n第二行")},
                                {s(u"czy"), s(u"超级用户")}});
        db.dm().change(insert, {{s(u"rq"), QDateTime(QDate(2024, 3, 3), QTime(9, 15, 30))},
                                {s(u"hykh"), s(u"2001")},
                                {s(u"hyxm"), s(u"王芳")},
                                {s(u"je"), Money::fromYuan(88)},
                                {s(u"yh"), Money()},
                                {s(u"sm"), s(u"自定义续费")},
                                {s(u"bz"), QString()},
                                {s(u"czy"), s(u"超级用户")}});
        return db.dm().list(s(u"select [充值日期],[会员卡号],[会员姓名],[充值金额],[优惠金额],[充值说明],[备注],"
                              u"[操作员] from [会员充值] order by [充值日期]"));
    }

    // The payments as a window would show them: members whose card starts with "1", the card
    // number and the operator hidden, the name moved in front of the date.
    void showFilteredPayments()
    {
        ResultSet rows = payments();
        rows.setFilter(Filter::where(s(u"会员卡号"), Match::StartsWith, s(u"1")));
        grid.setResult(rows);
        grid.hideColumn(s(u"会员卡号"));
        grid.hideColumn(s(u"操作员"));
        grid.horizontalHeader()->moveSection(grid.result().columnIndex(s(u"会员姓名")), 0);
    }

    void showCardTypes()
    {
        const QString insert =
            s(u"insert into [会员卡类型] ([类型编号],[类型名称],[有效次数],[有效天数],[售价],[折扣率],[是否有时间段]) "
              u"values(:bh,:mc,:cs,:ts,:sj,:zk,:sd)");
        db.dm().change(insert, {{s(u"bh"), s(u"01")},
                                {s(u"mc"), s(u"月卡")},
                                {s(u"cs"), 0},
                                {s(u"ts"), 30},
                                {s(u"sj"), Money::fromYuan(300)},
                                {s(u"zk"), 0.9},
                                {s(u"sd"), true}});
        db.dm().change(insert, {{s(u"bh"), s(u"02")},
                                {s(u"mc"), s(u"十次卡")},
                                {s(u"cs"), 10},
                                {s(u"ts"), 0},
                                {s(u"sj"), Money::fromUnits(4999500)},
                                {s(u"zk"), 1.0},
                                {s(u"sd"), false}});
        grid.setResult(db.dm().open(s(u"ADODS_hyklx")));
        grid.hideColumn(s(u"编号"));
    }

    QString path(const QString& name) const { return out.filePath(name); }

    test::TestDatabase db;
    QTemporaryDir out;
    gui::DataGrid grid;
};

TEST_F(GridExportTest, CsvHoldsTheShownColumnsAndFilteredRowsAsTheGridShowsThem)
{
    showFilteredPayments();
    ASSERT_FALSE(gui::exportCsv(grid, path(s(u"充值.csv"))).has_value());

    const QByteArray bytes = fileBytes(path(s(u"充值.csv")));
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "a byte-order mark, so spreadsheets read UTF-8";
    EXPECT_TRUE(bytes.contains("\r\n")) << "CRLF line ends";
    EXPECT_TRUE(bytes.contains(s(u",\"先付一半,\"\"余款\"\"下周\"\r\n").toUtf8()))
        << "a comma or a quote gets the field quoted, quotes doubled";

    const QList<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(records.size(), 3) << "titles and the two rows the filter lets through";
    EXPECT_EQ(records[0],
              QStringList({s(u"会员姓名"), s(u"充值日期"), s(u"充值金额"), s(u"优惠金额"), s(u"充值说明"), s(u"备注")}))
        << "hidden columns left out, the moved one first";
    EXPECT_EQ(records[1], QStringList({s(u"张伟"), s(u"2024-03-01 10:00:00"), s(u"300.00"), s(u"12.50"),
                                       s(u"续费等级：月卡"), s(u"先付一半,\"余款\"下周")}));
    EXPECT_EQ(records[2], QStringList({s(u"李娜"), s(u"2024-03-02"), s(u"1234.57"), QString(), s(u"会员交费"),
                                       s(u"第一行\n第二行")}))
        << "money to the cent as shown, an empty amount empty, a line break kept inside its quotes";
}

TEST_F(GridExportTest, XlsxHoldsNumbersForMoneyAndDatesForDates)
{
    showFilteredPayments();
    const QString file = path(s(u"充值.xlsx"));
    ASSERT_FALSE(gui::exportXlsx(grid, file).has_value());
    ASSERT_TRUE(fileBytes(file).startsWith("PK")) << "an XLSX is a zip";

    const Workbook book(file);
    ASSERT_EQ(book.width(), 6);
    EXPECT_EQ(book.lastRow(), 3) << "titles and the two filtered rows, no more";
    const QStringList titles{book.text(QStringLiteral("A1")), book.text(QStringLiteral("B1")),
                             book.text(QStringLiteral("C1")), book.text(QStringLiteral("D1")),
                             book.text(QStringLiteral("E1")), book.text(QStringLiteral("F1"))};
    EXPECT_EQ(titles, QStringList({s(u"会员姓名"), s(u"充值日期"), s(u"充值金额"), s(u"优惠金额"), s(u"充值说明"),
                                   s(u"备注")}));
    for (const SheetCell& cell : book.cells())
        EXPECT_NE(cell.value, s(u"超级用户")) << "the hidden operator column is not in the sheet";

    EXPECT_EQ(book.at(QStringLiteral("A2")).type, QStringLiteral("s"));
    EXPECT_EQ(book.text(QStringLiteral("A2")), s(u"张伟"));
    EXPECT_EQ(book.text(QStringLiteral("A3")), s(u"李娜"));
    EXPECT_EQ(book.text(QStringLiteral("E2")), s(u"续费等级：月卡"));
    EXPECT_EQ(book.text(QStringLiteral("F2")), s(u"先付一半,\"余款\"下周"));
    EXPECT_EQ(book.text(QStringLiteral("F3")), s(u"第一行\n第二行"));

    // Money: numeric cells shown with two decimals, holding the amount the grid shows.
    const SheetCell paid = book.at(QStringLiteral("C2"));
    EXPECT_EQ(paid.type, QStringLiteral("n"));
    EXPECT_DOUBLE_EQ(paid.value.toDouble(), 300.0);
    EXPECT_EQ(paid.format, QStringLiteral("0.00"));
    EXPECT_DOUBLE_EQ(book.at(QStringLiteral("D2")).value.toDouble(), 12.5);
    EXPECT_EQ(book.at(QStringLiteral("D2")).format, QStringLiteral("0.00"));
    EXPECT_EQ(book.at(QStringLiteral("C3")).type, QStringLiteral("n"));
    EXPECT_DOUBLE_EQ(book.at(QStringLiteral("C3")).value.toDouble(), 1234.57) << "1234.5678 as the grid rounds it";
    EXPECT_TRUE(book.at(QStringLiteral("D3")).value.isEmpty()) << "no amount, no number";

    // Dates: serial day numbers (2024-03-01 is day 45352) with a date format.
    const SheetCell withTime = book.at(QStringLiteral("B2"));
    EXPECT_EQ(withTime.type, QStringLiteral("n"));
    EXPECT_NEAR(withTime.value.toDouble(), 45352 + 10.0 / 24, 1e-9);
    EXPECT_EQ(withTime.format, QStringLiteral("yyyy-mm-dd hh:mm:ss"));
    const SheetCell dayOnly = book.at(QStringLiteral("B3"));
    EXPECT_EQ(dayOnly.type, QStringLiteral("n"));
    EXPECT_DOUBLE_EQ(dayOnly.value.toDouble(), 45353);
    EXPECT_EQ(dayOnly.format, QStringLiteral("yyyy-mm-dd")) << "a date without time shows as the grid shows it";
}

TEST_F(GridExportTest, YesNoAsTheGridShowsItAndCountsAsNumbers)
{
    showCardTypes();
    const QString csv = path(QStringLiteral("types.csv"));
    const QString xlsx = path(QStringLiteral("types.xlsx"));
    ASSERT_FALSE(gui::exportCsv(grid, csv).has_value());
    ASSERT_FALSE(gui::exportXlsx(grid, xlsx).has_value());

    const QList<QStringList> records = parseCsv(QString::fromUtf8(fileBytes(csv).mid(3)));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0], QStringList({s(u"类型编号"), s(u"类型名称"), s(u"有效次数"), s(u"有效天数"), s(u"售价"),
                                       s(u"折扣率"), s(u"是否有时间段")}));
    EXPECT_EQ(records[1], QStringList({s(u"01"), s(u"月卡"), s(u"0"), s(u"30"), s(u"300.00"), s(u"0.9"), s(u"是")}));
    EXPECT_EQ(records[2], QStringList({s(u"02"), s(u"十次卡"), s(u"10"), s(u"0"), s(u"499.95"), s(u"1"), s(u"否")}));

    const Workbook book(xlsx);
    ASSERT_EQ(book.width(), 7);
    EXPECT_EQ(book.at(QStringLiteral("A2")).type, QStringLiteral("s")) << "a code stays text: \"01\" keeps its zero";
    EXPECT_EQ(book.text(QStringLiteral("A2")), s(u"01"));
    EXPECT_EQ(book.text(QStringLiteral("G2")), s(u"是"));
    EXPECT_EQ(book.text(QStringLiteral("G3")), s(u"否"));
    EXPECT_EQ(book.at(QStringLiteral("C3")).type, QStringLiteral("n"));
    EXPECT_DOUBLE_EQ(book.at(QStringLiteral("C3")).value.toDouble(), 10);
    EXPECT_DOUBLE_EQ(book.at(QStringLiteral("F2")).value.toDouble(), 0.9);
    EXPECT_DOUBLE_EQ(book.at(QStringLiteral("E3")).value.toDouble(), 499.95);
    EXPECT_EQ(book.at(QStringLiteral("E3")).format, QStringLiteral("0.00"));
}

TEST_F(GridExportTest, AnEmptyResultStillGivesItsTitles)
{
    grid.setResult(db.dm().open(s(u"ADODS_hyklx")));
    grid.hideColumn(s(u"编号"));
    ASSERT_FALSE(gui::exportCsv(grid, path(QStringLiteral("empty.csv"))).has_value());
    ASSERT_FALSE(gui::exportXlsx(grid, path(QStringLiteral("empty.xlsx"))).has_value());
    const QList<QStringList> records = parseCsv(QString::fromUtf8(fileBytes(path(QStringLiteral("empty.csv"))).mid(3)));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].size(), 7);
    const Workbook book(path(QStringLiteral("empty.xlsx")));
    EXPECT_EQ(book.width(), 7);
    EXPECT_EQ(book.lastRow(), 1);
}

// The menu entries ask for a file through the kit, write it, and report a failure in words.
class GridExportMenuTest : public GridExportTest {
protected:
    void SetUp() override
    {
        GridExportTest::SetUp();
        gui::FileDialogs::setSaveHandler([this](const gui::SaveFileRequest& r) {
            requests.push_back(r);
            return answer;
        });
    }
    void TearDown() override { gui::FileDialogs::resetSaveHandler(); }

    QString answer;
    std::vector<gui::SaveFileRequest> requests;
    test::ScriptedMessages messages;
};

TEST_F(GridExportMenuTest, EntriesWriteTheChosenFileAddingTheSuffix)
{
    showFilteredPayments();
    answer = path(s(u"三月充值"));
    grid.exportExcelAction()->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].caption, s(u"导出Excel"));
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("xlsx"));
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u'|').toStdString();
    const Workbook book(path(s(u"三月充值.xlsx")));
    EXPECT_EQ(book.text(QStringLiteral("A3")), s(u"李娜"));

    answer = path(s(u"三月充值.csv"));
    grid.exportCsvAction()->trigger();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].caption, s(u"导出CSV"));
    const QList<QStringList> records = parseCsv(QString::fromUtf8(fileBytes(answer).mid(3)));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[2].value(0), s(u"李娜"));
}

TEST_F(GridExportMenuTest, CancelledDialogWritesNothing)
{
    showFilteredPayments();
    answer.clear();
    grid.exportCsvAction()->trigger();
    grid.exportExcelAction()->trigger();
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(GridExportMenuTest, UnwritableTargetShowsWhyAndLeavesNoFile)
{
    showFilteredPayments();
    for (QAction* entry : {grid.exportCsvAction(), grid.exportExcelAction()}) {
        messages.texts.clear();
        messages.icons.clear();
        answer = path(s(u"没有这个文件夹/充值"));
        entry->trigger();
        ASSERT_EQ(messages.texts.size(), 1) << entry->text().toStdString();
        EXPECT_TRUE(messages.texts[0].startsWith(s(u"导出失败，无法写入文件"))) << messages.texts[0].toStdString();
        EXPECT_TRUE(messages.texts[0].contains(s(u"没有这个文件夹"))) << "the message names the file";
        EXPECT_EQ(messages.icons[0], gui::MessageIcon::Error);
    }
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        << "no file, not even a temporary one, is left behind";

    // A folder where the file should go: the folder is neither replaced nor emptied.
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("taken.csv")));
    messages.texts.clear();
    answer = path(QStringLiteral("taken.csv"));
    grid.exportCsvAction()->trigger();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(QFileInfo(answer).isDir());
}

TEST_F(GridExportMenuTest, ExistingFileIsReplacedOnlyByAFinishedExport)
{
    showFilteredPayments();
    answer = path(QStringLiteral("list.csv"));
    {
        QFile old(answer);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    grid.exportCsvAction()->trigger();
    EXPECT_TRUE(messages.texts.isEmpty());
    const QByteArray now = fileBytes(answer);
    EXPECT_TRUE(now.startsWith("\xEF\xBB\xBF")) << "the old file was replaced as a whole";
    EXPECT_FALSE(now.contains("old contents"));
}

// Right-clicks the grid's first cell the way a mouse does and returns what the menu offered,
// a separator as "|". The menu is closed from inside its own loop.
QStringList rightClickMenu(gui::DataGrid& grid)
{
    QStringList offered;
    bool opened = false;
    QTimer::singleShot(0, &grid, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            opened = true;
            for (QAction* a : menu->actions())
                offered << (a->isSeparator() ? QStringLiteral("|") : a->text());
            menu->close();
        }
    });
    const QPoint at = grid.visualRect(grid.model()->index(0, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &event);
    if (!opened)
        QApplication::processEvents();
    EXPECT_TRUE(opened) << "a right click opens a menu";
    return offered;
}

TEST_F(GridExportTest, RightClickOffersBothExports)
{
    showFilteredPayments();
    grid.resize(600, 300);
    grid.show();
    EXPECT_EQ(rightClickMenu(grid), QStringList({s(u"导出Excel…"), s(u"导出CSV…")}));

    // A window that lists its own actions keeps them, above the exports.
    QAction own(s(u"删除登记"));
    grid.addAction(&own);
    grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    EXPECT_EQ(rightClickMenu(grid),
              QStringList({s(u"删除登记"), QStringLiteral("|"), s(u"导出Excel…"), s(u"导出CSV…")}));
}

// Every grid the program has built, the desk's visit list with its own entry among them.
TEST(GridExportProgram, EveryGridOfTheProgramOffersBothExports)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    test::ScriptedMessages messages;
    gui::Startup startup(AppPaths::inFolder(folder.path()),
                         std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 0))));
    ASSERT_TRUE(startup.start());
    startup.loginForm()
        ->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))
        ->setText(QString::fromUtf16(security::kInitialSuperUserPassword));
    startup.loginForm()->findChild<QPushButton*>(QStringLiteral("loginButton"))->click();
    ASSERT_TRUE(startup.mainForm()->isVisible());

    int grids = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* table = qobject_cast<QTableView*>(widget);
        // A calendar pop-up's days are a table of Qt's own.
        if (!table || qobject_cast<QCalendarWidget*>(table->parentWidget()))
            continue;
        auto* grid = qobject_cast<gui::DataGrid*>(table);
        ASSERT_NE(grid, nullptr) << "a table that is not the kit's grid: " << table->objectName().toStdString();
        const std::unique_ptr<QMenu> menu(grid->createContextMenu());
        QStringList offered;
        for (QAction* a : menu->actions())
            offered << a->text();
        EXPECT_EQ(offered.mid(offered.size() - 2), QStringList({s(u"导出Excel…"), s(u"导出CSV…")}))
            << grid->objectName().toStdString() << ": " << offered.join(u'|').toStdString();
        ++grids;
    }
    EXPECT_GE(grids, 6) << "the desk's history lists at least";

    // The desk's visit list keeps the entry the main window gave it, above the exports.
    gui::DataGrid* visits = startup.mainForm()->historyTabs()->grid(QStringLiteral("visitGrid"));
    ASSERT_NE(visits, nullptr);
    EXPECT_EQ(rightClickMenu(*visits),
              QStringList({s(u"删除登记"), QStringLiteral("|"), s(u"导出Excel…"), s(u"导出CSV…")}));
}

} // namespace
