#pragma once
// The core's text on Qt widgets: the core speaks UTF-8 std::string, the widgets QString. Every
// window converts through these, so a conversion is written once.

#include <QString>
#include <string>

namespace vargo {

/// UTF-8 text from the core as a QString.
inline QString q(const std::string& s) {
    return QString::fromStdString(s);
}

/// A guide text as its label shows it: the closing line breaks go (a label would show them as an
/// empty line), while the ideographic space that opens a line is part of the text and stays
/// (QString::trimmed would take the first one too).
inline QString guideLabelText(const std::string& s) {
    QString t = q(s);
    while (t.endsWith('\n')) {
        t.chop(1);
    }
    return t;
}

}  // namespace vargo
