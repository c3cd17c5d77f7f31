#include "FendralApplication.h"

#include <QDebug>
#include <QMessageBox>
#include <QScopeGuard>

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

void FendralApplication::showException(const QString& message)
{
    if (m_showing) {
        ++m_unshownCount;
        qWarning().noquote() << "Fendral: an error while another is shown:" << message;
        return;
    }
    m_showing = true;
    const auto showingEnds = qScopeGuard([this] { m_showing = false; });
    if (m_prepare)
        m_prepare();
    m_show(message);
}

bool FendralApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverShowingExceptions([&] { return QApplication::notify(receiver, event); },
        [this](const QString& message) { showException(message); });
}

} // namespace fendral
