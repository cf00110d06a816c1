#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace tkd::test {

// A PDF read back the way a person checks a printout: its pages, paper and text, through
// poppler's pdftotext, pdfinfo and pdfimages. A tool that fails adds a test failure and gives
// an empty answer.
class PdfText {
public:
    // Pixels, and pixels per inch as placed on the page.
    struct Image {
        int page;
        int width;
        int height;
        double xPpi;
        double yPpi;
    };
    // A word as the extractor sees it, with its box on the page in points from the top left.
    struct Word {
        int page;
        QString text;
        QRectF box;
    };

    explicit PdfText(QString path);
    const QString& path() const { return m_path; }

    int pageCount() const;
    // Of one page (1-based); invalid when the file has no such page.
    QSizeF pageSizePoints(int page = 1) const;
    QSizeF pageSizeMm(int page = 1) const;
    // Every page, or only the one given, laid out as printed, with runs of white space made one
    // and look-alike radicals folded back.
    QString text(int page = 0) const;
    // Whether the text holds the expected words; white space on either side is ignored, as the
    // extractor only guesses where spaces were.
    bool shows(const QString& expected, int page = 0) const;
    QList<Image> images() const;
    // Every page's words, or one page's, in the extractor's reading order.
    QList<Word> words(int page = 0) const;

    static QString compact(QString text);
    // The extractor names some ideographs by the radicals that share their glyph ("⾦额" for
    // "金额") when a font maps both to one glyph; folded back, the text reads as drawn.
    static QString foldRadicals(QString text);

private:
    QString m_path;
};

} // namespace tkd::test
