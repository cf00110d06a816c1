#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <utility>

namespace tkd::test {

namespace {

constexpr qreal kMmPerPoint = 25.4 / 72;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ' ' << arguments.join(QLatin1Char(' ')).toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

PdfText::PdfText(QString path) : m_path(std::move(path)) {}

int PdfText::pageCount() const
{
    const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
                           .match(run(QStringLiteral("pdfinfo"), {m_path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QSizeF PdfText::pageSizePoints(int page) const
{
    const QString number = QString::number(page);
    const QString info =
        run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, m_path});
    const auto match = QRegularExpression(QStringLiteral("^Page\\s+%1 size:\\s+([\\d.]+) x ([\\d.]+) pts").arg(page),
                                          QRegularExpression::MultilineOption)
                           .match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

QSizeF PdfText::pageSizeMm(int page) const
{
    const QSizeF points = pageSizePoints(page);
    return points.isValid() ? points * kMmPerPoint : QSizeF();
}

QString PdfText::text(int page) const
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << m_path << QStringLiteral("-");
    return foldRadicals(run(QStringLiteral("pdftotext"), arguments)).simplified();
}

bool PdfText::shows(const QString& expected, int page) const
{
    return compact(text(page)).contains(compact(expected));
}

QList<PdfText::Image> PdfText::images() const
{
    // A header, a rule of dashes, then one line per image:
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    QList<Image> images;
    bool listing = false;
    for (const QString& line :
         run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), m_path}).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("---"))) {
            listing = true;
            continue;
        }
        const QStringList fields = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (listing && fields.size() >= 14)
            images.append({fields[0].toInt(), fields[3].toInt(), fields[4].toInt(), fields[12].toDouble(),
                           fields[13].toDouble()});
    }
    return images;
}

QList<PdfText::Word> PdfText::words(int page) const
{
    QStringList arguments{QStringLiteral("-bbox")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << m_path << QStringLiteral("-");
    const QString html = run(QStringLiteral("pdftotext"), arguments);
    static const QRegularExpression tag(QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                       "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int current = page > 0 ? page - 1 : 0;
    for (const auto& match : tag.globalMatch(html)) {
        if (match.captured().startsWith(QStringLiteral("<page"))) {
            ++current;
            continue;
        }
        QString text = match.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({current, foldRadicals(text), QRectF(topLeft, bottomRight)});
    }
    return words;
}

QString PdfText::compact(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

QString PdfText::foldRadicals(QString text)
{
    // Kangxi radicals fold by compatibility; the supplement's simplified forms need a table.
    for (QChar& c : text)
        if (c.unicode() >= 0x2F00 && c.unicode() <= 0x2FDF)
            c = QString(c).normalized(QString::NormalizationForm_KC).at(0);
    static const std::pair<char16_t, char16_t> supplement[] = {
        {u'⻚', u'页'}, {u'⻓', u'长'}, {u'⻔', u'门'}, {u'⻢', u'马'}, {u'⻋', u'车'}, {u'⻅', u'见'},
        {u'⻄', u'西'}, {u'⻩', u'黄'}, {u'⻬', u'齐'}, {u'⻰', u'龙'}, {u'⻜', u'飞'}, {u'⻛', u'风'},
        {u'⻥', u'鱼'}, {u'⻦', u'鸟'}, {u'⻨', u'麦'}, {u'⻉', u'贝'}, {u'⻝', u'食'}, {u'⻆', u'角'}};
    for (const auto& [radical, ideograph] : supplement)
        text.replace(QChar(radical), QChar(ideograph));
    return text;
}

} // namespace tkd::test
