#include "app/Application.h"

#include <QFont>
#include <QMessageBox>
#include <exception>

namespace {

void showInMessageBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
}

TApplication::ErrorReporter& reporter()
{
    static TApplication::ErrorReporter current = showInMessageBox;
    return current;
}

QString describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowError(describe(std::current_exception()));
        return true;
    }
}

void TApplication::SetErrorReporter(ErrorReporter newReporter)
{
    reporter() = newReporter ? std::move(newReporter) : ErrorReporter(showInMessageBox);
}

void TApplication::ShowError(const QString& message)
{
    reporter()(message);
}

bool RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        TApplication::ShowError(describe(std::current_exception()));
        return false;
    }
}

void InstallFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}
