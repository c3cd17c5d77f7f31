// The application object: an exception that reaches the event loop is shown, and the loop goes on
#pragma once

#include <QApplication>

#include <functional>

namespace fendral {

// Shows the message of an exception to the user.
using ExceptionShower = std::function<void(const QString& message)>;

// Runs deliver; an exception it throws is shown instead, and false returned.
bool deliverShowingExceptions(const std::function<bool()>& deliver, const ExceptionShower& show);

// The standard box for an exception: a critical message box titled "Fendral".
void showExceptionBox(const QString& message);

class FendralApplication : public QApplication {
public:
    FendralApplication(int& argc, char** argv);

    // How an exception is shown: the standard box; tests record it instead.
    void setExceptionShower(ExceptionShower show) { m_show = std::move(show); }
    const ExceptionShower& exceptionShower() const { return m_show; }
    // Runs before an exception is shown: the main window pauses its game there.
    void setBeforeShowingException(std::function<void()> prepare)
    {
        m_prepare = std::move(prepare);
    }

    // Shows an exception's message. One that comes while another is shown (the box runs its own
    // event loop, so a repeated fault comes back at once) is only logged and counted.
    void showException(const QString& message);
    int unshownExceptionCount() const { return m_unshownCount; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    ExceptionShower m_show = showExceptionBox;
    std::function<void()> m_prepare;
    bool m_showing = false;
    int m_unshownCount = 0;
};

} // namespace fendral
