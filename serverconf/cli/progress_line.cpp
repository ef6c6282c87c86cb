#include "progress_line.h"

namespace serverconf {

ProgressLine::ProgressLine(QTextStream& err, bool enabled) : err_(err), enabled_(enabled) {}

ProgressLine::~ProgressLine() { wipe(); }

void ProgressLine::show(int number, int count, const QString& address) {
    if (!enabled_) return;
    wipe();
    const QString text = tr("device %1 of %2: %3").arg(number).arg(count).arg(address);
    err_ << '\r' << text;
    err_.flush();
    shownLength_ = text.size();
}

// Blanks over the text rather than an escape sequence: every terminal,
// consoles of Windows included, takes them.
void ProgressLine::wipe() {
    if (shownLength_ == 0) return;
    err_ << '\r' << QString(shownLength_, u' ') << '\r';
    err_.flush();
    shownLength_ = 0;
}

}  // namespace serverconf
