#pragma once
// The program's help: a user's guide that ships inside the program and opens at
// its contents in a help window of its own, as a help viewer beside the program
// would: it never blocks the window it was opened from and stays usable while a
// modal window of the program is up; Esc or Close closes it. The start-up names
// the help file as the original program did; any name opens this guide.

#include <string>

class QTextBrowser;
class QWidget;

void SetHelpFile(const std::string& Name);
const std::string& HelpFile();

// Shows the help window at its contents (creating it on first use), not modally;
// while it is open, the same window comes forward again.
void ShowHelpContents();
// The help window's browser while it exists, else null.
QTextBrowser* HelpBrowser();
// The help window while it exists, else null.
QWidget* HelpWindow();
// Closes and destroys the help window.
void CloseHelp();
