// Fendral: the program's entry, its main window and the event loop
#include "CommandLine.h"
#include "FendralApplication.h"
#include "MainWindow.h"
#include "TerminationSignals.h"

#include <QGuiApplication>
#include <QIcon>

#include <exception>
#include <iostream>
#include <optional>

int main(int argc, char** argv)
{
    // Checking a replay needs no display: it runs before any application object exists, and so
    // does the reading of a replay to watch, which is refused without opening a window
    const fendral::CommandLine command = fendral::parseCommandLine(argc, argv);
    if (const std::optional<int> status = fendral::runWindowlessCommand(command))
        return *status;
    std::optional<fendral::Replay> replay;
    if (command.action == fendral::CommandLine::Action::WatchReplay
        && !(replay = fendral::replayToWatch(command.file, std::cerr)))
        return 2;
    // Whole scale factors rounded down keep the described window on a 1080p screen at 150 % and
    // every cell a whole block of device pixels. A factor set in QT_SCALE_FACTOR is taken as it is:
    // the canvas holds device pixels, so a cell is then 10 of them at 1.25, 12 at 1.5 (fewer where
    // the screen cannot hold that window)
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR_ROUNDING_POLICY"))
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
            Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);

    fendral::FendralApplication application(argc, argv);
    // The per-user configuration folder of an installed game is named after it. No display name:
    // Qt would append it to every caption, and each window shows exactly its own
    QCoreApplication::setApplicationName(QStringLiteral("Fendral"));
    // Desktops find the game's entry and icon by this name; every window and box shows the icon
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.fendral.fendral"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/fendral.png")));
    fendral::deliverShowingExceptions(
        [&replay] {
            fendral::MainWindow window;
            // A logout, kill or Ctrl+C ends the game as a close does, without a question
            fendral::TerminationSignals terminations;
            QObject::connect(&terminations, &fendral::TerminationSignals::received, &window,
                &fendral::MainWindow::closeWithoutAsking);
            window.show();
            if (replay)
                window.watchReplay(std::move(*replay));
            QApplication::exec();
            return true;
        },
        [&application](const QString& message) { application.showException(message); });
    return 0;
}
