#pragma once

namespace readers_test {

// Starts the GUI application text drawing needs, once per test program.
void ensureGuiApplication();

} // namespace readers_test
