// Turns the manual's Markdown sources, one for each language, into the one
// PDF that ships beside the program: a first page that leads to each
// language's manual by its page number, then the manuals, each beginning on
// a page of its own. Runs at build time on Qt's offscreen platform.
//
// Qt's PDF output links only to addresses outside the file, not to its own
// pages, which is why the first page names pages rather than linking them.

#include "SystemFonts.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The documents are laid out in the pixels of a 96-dpi screen, as the
// pictures of the windows were taken; the painter scales them to the page.
constexpr double kLayoutDpi = 96.0;
constexpr double kFooterHeight = 28.0;

struct Page {
    QSizeF body; // where a document's text goes, in layout pixels
    double scale;
};

QFont bodyFont() {
    // Tahoma where DejaVu is missing: on Windows, and under wine.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Tahoma")});
    font.setPointSizeF(10.5);
    return font;
}

std::unique_ptr<QTextDocument> newDocument(const Page& page) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(bodyFont());
    document->setDefaultStyleSheet(QStringLiteral("table { border-collapse: collapse; }"));
    document->setPageSize(QSizeF(page.body.width(), page.body.height() - kFooterHeight));
    return document;
}

// Collected before any is changed: a change of format may merge fragments.
std::vector<QTextFragment> fragmentsWhere(const QTextDocument& document,
                                          bool (*wanted)(const QTextCharFormat&)) {
    std::vector<QTextFragment> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (wanted(it.fragment().charFormat()))
                found.push_back(it.fragment());
    return found;
}

QTextCursor selected(QTextDocument& document, const QTextFragment& fragment) {
    QTextCursor cursor(&document);
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    return cursor;
}

// Every picture a manual names is loaded from beside its source, and drawn no
// wider than the page; a picture that cannot be read stops the manual.
void loadPictures(QTextDocument& document, const QString& source, double width) {
    const QString folder = QFileInfo(source).absolutePath();
    for (const QTextFragment& fragment :
         fragmentsWhere(document, [](const QTextCharFormat& f) { return f.isImageFormat(); })) {
        QTextImageFormat format = fragment.charFormat().toImageFormat();
        const QImage picture(folder + QLatin1Char('/') + format.name());
        if (picture.isNull())
            throw std::runtime_error("cannot read the picture " + format.name().toStdString() +
                                     " of " + source.toStdString());
        document.addResource(QTextDocument::ImageResource, QUrl(format.name()), picture);
        if (picture.width() <= width)
            continue;
        format.setWidth(width);
        format.setHeight(picture.height() * width / picture.width());
        selected(document, fragment).setCharFormat(format);
    }
}

// File names and keys are set in a fixed-pitch font, one that the PDF can
// hold: wine's own Courier, which Qt would take, is a bitmap font that
// leaves the file damaged.
void setFixedPitchFamilies(QTextDocument& document) {
    QTextCharFormat fixed;
    fixed.setFontFamilies(QStringList{QStringLiteral("DejaVu Sans Mono"),
                                      QStringLiteral("Consolas"), QStringLiteral("Courier New"),
                                      QStringLiteral("Tahoma")});
    for (const QTextFragment& fragment :
         fragmentsWhere(document, [](const QTextCharFormat& f) { return f.fontFixedPitch(); }))
        selected(document, fragment).mergeCharFormat(fixed);
}

std::unique_ptr<QTextDocument> readManual(const QString& source, const Page& page) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + source.toStdString());
    auto document = newDocument(page);
    document->setMarkdown(QString::fromUtf8(file.readAll()));
    loadPictures(*document, source, page.body.width());
    setFixedPitchFamilies(*document);
    return document;
}

// The manual's title in its own language: its first line.
QString titleOf(const QTextDocument& manual) {
    return manual.begin().text();
}

std::unique_ptr<QTextDocument> firstPage(const std::vector<std::unique_ptr<QTextDocument>>& manuals,
                                         const Page& page) {
    QString rows;
    int first = 2;
    for (const auto& manual : manuals) {
        rows += QStringLiteral("<tr><td style='padding: 8px 24px 8px 0'>%1</td>"
                               "<td style='padding: 8px 0' align='right'>%2</td></tr>")
                    .arg(titleOf(*manual).toHtmlEscaped())
                    .arg(first);
        first += manual->pageCount();
    }
    auto document = newDocument(page);
    document->setHtml(QStringLiteral("<h1 style='font-size: 28pt'>Velmaris</h1><p><br></p>"
                                     "<table style='font-size: 14pt'>%1</table>")
                          .arg(rows));
    return document;
}

class PdfPages {
public:
    PdfPages(QPdfWriter& pdf, const Page& page) : painter_(&pdf), pdf_(pdf), page_(page) {
        painter_.scale(page.scale, page.scale);
    }

    void print(QTextDocument& document) {
        const double height = document.pageSize().height();
        for (int i = 0; i < document.pageCount(); ++i) {
            if (number_++ > 0)
                pdf_.newPage();
            painter_.save();
            painter_.translate(0, -i * height);
            document.drawContents(&painter_, QRectF(0, i * height, page_.body.width(), height));
            painter_.restore();
            // In layout pixels: a size in points would be taken in the PDF's
            // own resolution and then scaled once more.
            QFont footer = bodyFont();
            footer.setPixelSize(qRound(footer.pointSizeF() * kLayoutDpi / 72));
            painter_.setFont(footer);
            painter_.drawText(QRectF(0, height, page_.body.width(), kFooterHeight),
                              Qt::AlignHCenter | Qt::AlignBottom, QString::number(number_));
        }
    }

private:
    QPainter painter_;
    QPdfWriter& pdf_;
    Page page_;
    int number_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    vm::manual::useTheSystemsFonts();
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s manual.pdf manual.md...\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QPdfWriter pdf(output);
    pdf.setTitle(QStringLiteral("Velmaris user's manual"));
    pdf.setCreator(QStringLiteral("Velmaris"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    const double scale = pdf.resolution() / kLayoutDpi;
    const Page page{QSizeF(pdf.width() / scale, pdf.height() / scale), scale};
    try {
        std::vector<std::unique_ptr<QTextDocument>> manuals;
        for (int i = 2; i < argc; ++i)
            manuals.push_back(readManual(QString::fromLocal8Bit(argv[i]), page));
        PdfPages pages(pdf, page);
        pages.print(*firstPage(manuals, page));
        for (const auto& manual : manuals)
            pages.print(*manual);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "markdown-to-pdf: %s\n", failure.what());
        QFile::remove(output);
        return 1;
    }
    return QFile::exists(output) ? 0 : 1;
}
