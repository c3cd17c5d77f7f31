// Fendral: the program's entry, its main window and the event loop
#include "ComputerGameCommand.h"
#include "FendralApplication.h"
#include "MainWindow.h"
#include "TerminationSignals.h"

#include <QGuiApplication>
#include <QIcon>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // A computer game on the command line needs no window and no display
    if (const std::optional<int> exitCode = fendral::runComputerGameCommand(
            std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr))
        return *exitCode;

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
        [] {
            fendral::MainWindow window;
            // A logout, kill or Ctrl+C ends the game as a close does, without a question
            fendral::TerminationSignals terminations;
            QObject::connect(&terminations, &fendral::TerminationSignals::received, &window,
                &fendral::MainWindow::closeWithoutAsking);
            window.show();
            QApplication::exec();
            return true;
        },
        [&application](const QString& message) { application.showException(message); });
    return 0;
}
