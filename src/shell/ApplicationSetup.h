#pragma once

class QApplication;

namespace zandrevio {

// What the run-time environment sets up before the window is built: the
// fonts, the application title and icon, and the decimal separator of the
// user's locale (watched for changes from here on).
void SetUpApplication(QApplication& app);

// Reads the decimal separator from the current locale; the C library keeps
// reading numbers in the "C" locale whatever the user's locale is.
void ReadLocaleSeparator();

} // namespace zandrevio
