#include "progress_line.h"

namespace serverconf {

ProgressLine::ProgressLine(QTextStream& err, bool enabled) : err_(err), enabled_(enabled) {}

ProgressLine::~ProgressLine() { wipe(); }

void ProgressLine::showDone(int done, int count) {
    if (!enabled_) return;
    wipe();
    const QString text = tr("%1 of %2 done").arg(done).arg(count);
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
