#pragma once
// A data folder of transmittal files in a temporary directory, and the
// preparation form opened over it, for the tests of the preparation form.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FakeEnv.h"
#include "KSFUnits.h"
#include "PFiles.h"
#include "PPropertyNames.h"
#include "PTransShort.h"
#include "StringGrid.h"
#include "TransFixtures.h"
#include "Utils.h"
#include "VMain.h"
#include "VOpening.h"

// One member as the tests write it; the defaults make a member that passes
// every check (for a clock set in 2004 or 2005).
struct TTestMember {
  std::string SSN = "123456789";
  std::string Last = "Smith";
  std::string First = "Anna";
  std::string Gender = "2";
  std::string Phone = "5551234";
  std::string BirthDate = "01/15/1970";
  double Pensionable = 1000;
  double Earnable = 1000;
  double FTE = 100;
  double Regular = 70;
  double Health = 12.5;
  double Voluntary = 0;
  double Contracts = 0;
};

inline TTestMember Member(const std::string& SSN, const std::string& Last, double Regular = 70) {
  TTestMember M;
  M.SSN = SSN;
  M.Last = Last;
  M.Regular = Regular;
  return M;
}

class TTestFolder {
 public:
  TTestFolder() : FOldAppDir(AppDir) {
    AppDir = Dir.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(AppDir + "Data"));
  }
  ~TTestFolder() { AppDir = FOldAppDir; }

  std::string Path(const std::string& Name) const { return AppDir + "Data/" + Name; }

  // Writes a transmittal file of the given members (forced: no validation).
  void Write(const std::string& Name, const std::vector<TTestMember>& Members,
             const std::string& EmployerName = "Lakeside School") const {
    TTransShort T;
    T.FileName = Path(Name);
    T.Header->SetAsString(fnBatchEmployerName, EmployerName);
    for (const TTestMember& M : Members) {
      // A valid member, with the fields the tests choose set over it.
      TRecord* R = AddMember(T, M.SSN, M.Last);
      R->SetAsString(fnFirstName, M.First);
      R->SetAsString(fnGenderCD, M.Gender);
      R->SetAsString(fnBirthDate, M.BirthDate);
      R->SetAsString(fnPhoneNumber, M.Phone);
      R->SetAsFloat(fnSalaryPensionAmount, M.Pensionable);
      R->SetAsFloat(fnSalaryEarnableAmount, M.Earnable);
      R->SetAsFloat(fnSalaryEarnableUnitsWorked, M.FTE);
      R->SetAsFloat(fnContribEmployeePreTax, M.Regular);
      R->SetAsFloat(fnContribEmployerPreTax, M.Health);
      R->SetAsFloat(fnContribVoluntaryPostTax, M.Voluntary);
      R->SetAsFloat(fnContribContractPostTax, M.Contracts);
    }
    const bool WasHeaderOnly = HeaderOnly;
    HeaderOnly = Members.empty();
    const bool Ok = T.SaveToFile(true);
    HeaderOnly = WasHeaderOnly;
    if (!Ok) qFatal("could not write %s", Name.c_str());
  }

  bool Exists(const std::string& Name) const { return std::filesystem::exists(Path(Name)); }

  std::string Read(const std::string& Name) const {
    std::ifstream In(Path(Name), std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }

  QTemporaryDir Dir;

 private:
  std::string FOldAppDir;
};

// The form over a folder for employer 123, shown; destroyed (not closed) at the end.
// Laid out for a screen of Dpi dots per inch.
struct TOpenForm {
  explicit TOpenForm(const std::string& EmployerId = "123", int32_t Dpi = 96) {
    ScreenDPI = Dpi;
    SelectedEmployerId = EmployerId;
    ReadOnlyMode = false;
    frmTrans = new TfrmTrans();
    Form = frmTrans;
    Form->show();
    QCoreApplication::processEvents();
  }
  ~TOpenForm() {
    if (!Form.isNull()) delete Form.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  TfrmTrans* operator->() const { return Form.data(); }
  QPointer<TfrmTrans> Form;
};

// The name of the file the form has open.
inline std::string OpenName() {
  return std::filesystem::path(Trans->FileName).filename().string();
}

// Opens the grid's editor on a cell with its text selected; null when none opened.
inline QLineEdit* OpenCellEditor(TStringGrid* Grid, int32_t Col, int32_t Row) {
  Grid->setFocus();
  Grid->SetRow(Row);
  Grid->SetCol(Col);
  Grid->SetEditorMode(true);
  QLineEdit* Editor = Grid->InplaceEditor();
  if (Editor != nullptr) Editor->selectAll();
  return Editor;
}

// Types text into a grid cell as the user does: the editor opens on the cell
// and the text replaces its content.
inline void TypeIntoCell(TStringGrid* Grid, int32_t Col, int32_t Row, const QString& Text) {
  QLineEdit* Editor = OpenCellEditor(Grid, Col, Row);
  QVERIFY(Editor != nullptr);
  QTest::keyClicks(Editor, Text);
}

// Replaces a cell's text in one change, as pasting over the selected text does.
inline void PasteIntoCell(TStringGrid* Grid, int32_t Col, int32_t Row, const QString& Text) {
  QLineEdit* Editor = OpenCellEditor(Grid, Col, Row);
  QVERIFY(Editor != nullptr);
  Editor->insert(Text);
}
