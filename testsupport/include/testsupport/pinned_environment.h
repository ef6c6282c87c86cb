#pragma once
// The environment every serverconf test runs in, and hands to the programs
// it starts: the C locale (so serverconf speaks its Chinese texts, whatever
// the machine's locale), no SERVERCONF_LANG, and a settings folder of its
// own that is removed when the test program ends, so that no test sees the
// user's settings or those another test stored.

namespace testsupport {

// Call first in main, before Qt is started.
void pinLanguageAndSettings();

}  // namespace testsupport
