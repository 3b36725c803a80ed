#pragma once
// The member report over the visible members of the open transmittal.

class QWidget;

class TfrmReportMember {
 public:
  explicit TfrmReportMember(QWidget* Owner);
  // Builds the report and shows its preview; returns when the preview closes.
  void Preview();

 private:
  QWidget* FOwner;
};
