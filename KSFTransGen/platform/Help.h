#pragma once
// The program's help: a user's guide that ships inside the program and opens at
// its contents in a help window. The start-up names the help file as the
// original program did; any name opens this guide.

#include <string>

class QTextBrowser;

void SetHelpFile(const std::string& Name);
const std::string& HelpFile();
// Shows the help window at its contents (creating it on first use), not modally.
void ShowHelpContents();
// The help window's browser while it exists, else null.
QTextBrowser* HelpBrowser();
// Closes and destroys the help window.
void CloseHelp();
