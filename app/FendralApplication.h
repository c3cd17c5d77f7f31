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

    void setExceptionShower(ExceptionShower show) { m_show = std::move(show); }
    const ExceptionShower& exceptionShower() const { return m_show; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    ExceptionShower m_show = showExceptionBox;
};

} // namespace fendral
