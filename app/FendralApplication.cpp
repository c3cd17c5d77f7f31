#include "FendralApplication.h"

#include <QMessageBox>

#include <exception>

namespace fendral {

bool deliverShowingExceptions(const std::function<bool()>& deliver, const ExceptionShower& show)
{
    try {
        return deliver();
    } catch (const std::exception& error) {
        show(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        // Anything else thrown is shown like an exception without a message
        show(QString());
    }
    return false;
}

void showExceptionBox(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fendral"), message, QMessageBox::Ok);
    box.exec();
}

FendralApplication::FendralApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool FendralApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverShowingExceptions([&] { return QApplication::notify(receiver, event); }, m_show);
}

} // namespace fendral
