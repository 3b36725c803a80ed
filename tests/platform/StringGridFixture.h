#pragma once
// The grid the string grid's tests start from.

#include <QApplication>
#include <QtTest>
#include <string>
#include <vector>

#include "StringGrid.h"

// A grid like the member grids: a title row, no fixed column, editing, Tab moves.
struct TGridFixture {
  TStringGrid Grid;
  std::vector<std::string> Log;

  explicit TGridFixture(int Rows = 4, int Cols = 3) {
    Grid.resize(400, 300);
    Grid.SetColCount(Cols);
    Grid.SetFixedCols(0);
    Grid.SetRowCount(Rows);
    Grid.SetOptions(goVertLine | goHorzLine | goEditing | goTabs | goThumbTracking);
    for (int C = 0; C < Cols; ++C) {
      Grid.SetCells(C, 0, std::string("T").append(std::to_string(C)));
      for (int R = 1; R < Rows; ++R) Grid.SetCells(C, R, std::to_string(C) + "," + std::to_string(R));
    }
    Grid.OnSelectCell = [this](int32_t C, int32_t R, bool& CanSelect) {
      Log.push_back("select " + std::to_string(C) + "," + std::to_string(R));
      CanSelect = Refuse == 0;
    };
    Grid.OnClick = [this]() {
      Log.push_back("click " + std::to_string(Grid.Col()) + "," + std::to_string(Grid.Row()));
    };
  }
  void Show() {
    Grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Grid));
    Grid.setFocus();
    QCoreApplication::processEvents();
  }
  QPoint CellCenter(int C, int R) {
    return Grid.visualRect(Grid.model()->index(R - Grid.FixedRows(), C - Grid.FixedCols())).center();
  }
  // Types as a user does: each key goes to whatever has the focus (the grid, then its editor).
  void Type(const QString& Text) {
    for (QChar C : Text) QTest::keyClicks(QApplication::focusWidget(), QString(C));
  }
  int Refuse = 0;
};
