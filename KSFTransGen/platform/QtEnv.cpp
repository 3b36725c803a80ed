#include "QtEnv.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QUrl>
#include <exception>

#include "Help.h"
#include "QtText.h"
#include "Utils.h"

namespace {
std::string GApplicationTitle = "KSF Transmittal Generator";
TCursor GScreenCursor = crDefault;

QMessageBox::Icon ToQtIcon(TMsgIcon Icon) {
  switch (Icon) {
    case TMsgIcon::None: return QMessageBox::NoIcon;
    case TMsgIcon::Information: return QMessageBox::Information;
    case TMsgIcon::Warning: return QMessageBox::Warning;
    case TMsgIcon::Error: return QMessageBox::Critical;
    case TMsgIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// The width a window needs for its title to show whole in the window frame: the
// text in a title bar's bold, slightly larger face, and room for the frame's
// icon and its three buttons. A message box sizes itself by its text and leaves
// its title only a little more than the title's own width, so a short message
// ("Invalid date!") got a box whose title the frame cut short.
int TitleBarWidth(const QString& Title) {
  QFont Font = QApplication::font();
  Font.setBold(true);
  if (Font.pointSizeF() > 0)
    Font.setPointSizeF(Font.pointSizeF() * 1.1);
  else if (Font.pixelSize() > 0)
    Font.setPixelSize(Font.pixelSize() * 11 / 10);
  const QFontMetrics Metrics(Font);
  return Metrics.horizontalAdvance(Title) + 4 * (Metrics.height() + 8) + 16;
}
}  // namespace

const std::string& ApplicationTitle() { return GApplicationTitle; }
void SetApplicationTitle(const std::string& Title) {
  GApplicationTitle = Title;
  if (QCoreApplication::instance() != nullptr) QCoreApplication::setApplicationName(ToQString(Title));
}

TQtEnv::TQtEnv() : FPrevious(SetEnv(this)) {}
TQtEnv::~TQtEnv() { SetEnv(FPrevious); }

void TQtEnv::Beep() { QApplication::beep(); }

int TQtEnv::Message(const TMessageRequest& Request) {
  std::string Caption = Request.Caption;
  switch (Request.Kind) {
    case TMsgKind::MessageBox: break;
    case TMsgKind::ConfirmDialog:
      if (Caption.empty()) Caption = "Confirm";
      break;
    case TMsgKind::MessageDialog:
    case TMsgKind::ErrorBox: Caption = ApplicationTitle(); break;
  }
  QMessageBox Box(ToQtIcon(Request.Icon), ToQString(Caption), ToQString(Request.Text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  Box.setTextFormat(Qt::PlainText);
  switch (Request.Buttons) {
    case TMsgButtons::OK:
      Box.setStandardButtons(QMessageBox::Ok);
      Box.setDefaultButton(QMessageBox::Ok);
      Box.setEscapeButton(QMessageBox::Ok);
      break;
    case TMsgButtons::YesNo:
      Box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      Box.setDefaultButton(QMessageBox::Yes);
      Box.setEscapeButton(QMessageBox::No);
      break;
    case TMsgButtons::YesNoCancel:
      Box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      Box.setDefaultButton(QMessageBox::Yes);
      Box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
  // Never narrower than its title needs: an empty row of that width below the rest.
  if (auto* Grid = qobject_cast<QGridLayout*>(Box.layout()))
    Grid->addItem(new QSpacerItem(TitleBarWidth(Box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  Grid->rowCount(), 0, 1, Grid->columnCount());
  // The box must show the normal cursor even while the caller runs under the hourglass.
  const bool Hourglass = ScreenCursor() == crHourGlass;
  if (Hourglass) QApplication::setOverrideCursor(Qt::ArrowCursor);
  Box.exec();
  if (Hourglass) QApplication::restoreOverrideCursor();
  switch (Box.standardButton(Box.clickedButton())) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Cancel: return mrCancel;
    default: break;
  }
  // Closed without a button: what Esc would have chosen.
  return EscapeAnswer(Request.Buttons);
}

void TQtEnv::ShowMessages(const std::vector<std::string>& Messages) {
  if (!MessagesHandler) return;
  // The window waits for the user, who must see the normal cursor over it even
  // when a save running under the hourglass shows it.
  const bool Hourglass = ScreenCursor() == crHourGlass;
  if (Hourglass) QApplication::setOverrideCursor(Qt::ArrowCursor);
  struct TRestore {
    bool Active;
    ~TRestore() {
      if (Active) QApplication::restoreOverrideCursor();
    }
  } Restore{Hourglass};
  MessagesHandler(Messages);
}

void TQtEnv::OpenHelp() { ShowHelpContents(); }

bool TQtEnv::OpenTextFile(const std::string& Path) {
  // No shell and no waiting: the desktop hands the file to the user's text viewer.
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(Path)));
}

std::string TQtEnv::ProgramPath() {
  if (QCoreApplication::instance() != nullptr) {
    const QString Path = QCoreApplication::applicationFilePath();
    if (!Path.isEmpty()) return Path.toStdString();
  }
  return TEnv::ProgramPath();
}

void ShowException(const std::string& Message) {
  TMessageRequest Request;
  Request.Kind = TMsgKind::ErrorBox;
  Request.Caption = ApplicationTitle();
  Request.Text = Message;
  Request.Buttons = TMsgButtons::OK;
  Request.Icon = TMsgIcon::Error;
  Env().Message(Request);
}

bool RunHandler(const std::function<void()>& Handler) {
  if (!Handler) return true;
  try {
    Handler();
    return true;
  } catch (const EAbort&) {
    return false;
  } catch (const std::exception& Error) {
    ShowException(Error.what());
  } catch (...) {
    ShowException("Unknown error");
  }
  return false;
}

TCursor ScreenCursor() { return GScreenCursor; }

void SetScreenCursor(TCursor Cursor) {
  if (Cursor == GScreenCursor) return;
  GScreenCursor = Cursor;
  if (QCoreApplication::instance() == nullptr) return;
  if (Cursor == crHourGlass) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  }
}

THourglass::THourglass() : FPrevious(ScreenCursor()) { SetScreenCursor(crHourGlass); }
THourglass::~THourglass() { SetScreenCursor(FPrevious); }
