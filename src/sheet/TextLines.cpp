#include "sheet/TextLines.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace scriblo {

QStringList TextLines::of(const QString& text, const QFont& font, double width, int maximumLines, Qt::TextElideMode cut)
{
    QStringList lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    int taken = 0;
    layout.beginLayout();
    while (lines.size() < maximumLines - 1) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
        taken = line.textStart() + line.textLength();
    }
    layout.endLayout();
    // The last line takes the rest whole, however long, and is cut to fit.
    QString rest = text.mid(taken).trimmed();
    if (!rest.isEmpty() || lines.isEmpty())
        lines << QFontMetricsF(font).elidedText(rest, cut, width);
    return lines;
}

}
