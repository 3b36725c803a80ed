#pragma once
// The transaction report over the visible members of the open transmittal.

class QWidget;

class TfrmReportTrans {
 public:
  explicit TfrmReportTrans(QWidget* Owner);
  // Builds the report and shows its preview; returns when the preview closes.
  void Preview();

 private:
  QWidget* FOwner;
};
