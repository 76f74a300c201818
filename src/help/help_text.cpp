#include "help/help_text.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

namespace tarnwell::help {

namespace {

const QRegularExpression& pictureMark() {
    static const QRegularExpression re(QStringLiteral(R"(^\[picture\s+([^\]\s]+)\s*\]$)"));
    return re;
}

QString inline_(const QString& text) {
    static const QRegularExpression italic(QStringLiteral(R"((^|[\s(])_([^_]+)_(?=$|[\s.,;:)]))"));
    QString html = text.toHtmlEscaped();
    html.replace(italic, QStringLiteral("\\1<i>\\2</i>"));
    return html;
}

}  // namespace

QString pageSource(const QString& pageName) {
    QFile file(QStringLiteral(":/help/%1.txt").arg(pageName));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QStringList sections(const QString& source) {
    QStringList result;
    QStringList current;
    for (const QString& line : source.split(QLatin1Char('\n'))) {
        if (line.trimmed() == QStringLiteral("====")) {
            result << current.join(QLatin1Char('\n'));
            current.clear();
        } else {
            current << line;
        }
    }
    result << current.join(QLatin1Char('\n'));
    return result;
}

QString toHtml(const QString& section, int maxPictureWidth) {
    QString html;
    QStringList paragraph;
    bool inList = false;
    auto flushParagraph = [&] {
        if (!paragraph.isEmpty()) html += QStringLiteral("<p>%1</p>\n").arg(inline_(paragraph.join(QLatin1Char(' '))));
        paragraph.clear();
    };
    auto closeList = [&] {
        if (inList) html += QStringLiteral("</ul>\n");
        inList = false;
    };
    for (const QString& raw : section.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        const QRegularExpressionMatch picture = pictureMark().match(line);
        if (line.isEmpty()) {
            flushParagraph();
            closeList();
        } else if (line.startsWith(QStringLiteral("# "))) {
            flushParagraph();
            closeList();
            html += QStringLiteral("<p><b>%1</b></p>\n").arg(inline_(line.mid(2)));
        } else if (line == QStringLiteral("----")) {
            flushParagraph();
            closeList();
            html += QStringLiteral("<hr/>\n");
        } else if (picture.hasMatch()) {
            flushParagraph();
            closeList();
            const QString path = QStringLiteral(":/help/") + picture.captured(1);
            const QImage image(path);
            // A picture not made yet leaves no broken box behind.
            if (image.isNull()) continue;
            const int width = std::min(image.width(), maxPictureWidth);
            html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\"/></p>\n").arg(path).arg(width);
        } else if (line.startsWith(QStringLiteral("* "))) {
            flushParagraph();
            if (!inList) html += QStringLiteral("<ul>\n");
            inList = true;
            html += QStringLiteral("<li>%1</li>\n").arg(inline_(line.mid(2)));
        } else {
            if (inList && !raw.startsWith(QLatin1Char(' '))) closeList();
            if (inList) {
                // A continuation line of a list item.
                const qsizetype end = html.lastIndexOf(QStringLiteral("</li>"));
                html.insert(end, QLatin1Char(' ') + inline_(line));
            } else {
                paragraph << line;
            }
        }
    }
    flushParagraph();
    closeList();
    return html;
}

QStringList picturesNamed(const QString& source) {
    QStringList names;
    for (const QString& line : source.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = pictureMark().match(line.trimmed());
        if (m.hasMatch()) names << m.captured(1);
    }
    return names;
}

QString plainProse(const QString& source) {
    QStringList lines;
    for (const QString& raw : source.split(QLatin1Char('\n'))) {
        QString line = raw.trimmed();
        if (pictureMark().match(line).hasMatch() || line == QStringLiteral("----") || line == QStringLiteral("====")) continue;
        if (line.startsWith(QStringLiteral("# ")) || line.startsWith(QStringLiteral("* "))) line = line.mid(2);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tarnwell::help
