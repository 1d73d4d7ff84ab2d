#pragma once
// The editor's version where a user looks for it: the tooltip of the title strip and a line at
// the foot of the status dialog.

#include <QString>

namespace zt {

class TForm1;
class TForm2;

// "zt461-editor 1.2.7": the program's name and the project's version.
QString EditorVersionLine();

void ShowVersion(TForm1& window, TForm2& statusDialog);

}  // namespace zt
