#include "KSFApplication.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "Help.h"
#include "KSFUnits.h"
#include "QtEnv.h"
#include "Utils.h"
#include "VMain.h"
#include "VMessage.h"
#include "VOpening.h"

namespace {

// An error that no handler caught ends in the default error box, and the run goes on.
class TKSFApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* Receiver, QEvent* Event) override {
    try {
      return QApplication::notify(Receiver, Event);
    } catch (const EAbort&) {
    } catch (const std::exception& Error) {
      ShowException(Error.what());
    } catch (...) {
      ShowException("Unknown error");
    }
    return false;
  }
};

}  // namespace

int RunKSFTransGen(int argc, char** argv) {
  InitializeTransmittalUnits();
  ShortDateFormat = "mm/dd/yyyy";
  int ExitCode = 0;
  {
    TKSFApplication App(argc, argv);
    SetApplicationTitle("KSF Transmittal Generator");
    TQtEnv QtEnv;
    RegisterMessageWindow(QtEnv);

    // The first window created is the main window: the run ends when it closes.
    auto Opening = std::make_unique<TfrmOpening>();
    frmOpening = Opening.get();
    QObject::connect(Opening.get(), &TfrmOpening::Closed, &App, [] { QCoreApplication::exit(0); });
    auto Message = std::make_unique<TfrmMessage>();
    frmMessage = Message.get();
    SetHelpFile("KSFHelp.hlp");

    Opening->show();
    ExitCode = App.exec();

    // The preparation form frees itself once it has closed; a run ended some
    // other way must not leave it behind either.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete frmTrans;
    CloseHelp();
    Message.reset();
    Opening.reset();
    frmMessage = nullptr;
    frmOpening = nullptr;
  }
  FinalizeTransmittalUnits();
  return ExitCode;
}
