#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace scriblo {

// A text set in a narrow column of a fixed number of lines: broken between words, or
// inside a word too long for a line, and with what still does not fit cut from the last
// line; from its middle by default, so that both the start and the end of a long name
// stay in view.
class TextLines {
public:
    static QStringList of(const QString& text, const QFont& font, double width, int maximumLines,
                          Qt::TextElideMode cut = Qt::ElideMiddle);
};

}
