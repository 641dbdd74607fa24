#include "app/Forms.h"

#include "app/Application.h"

#include <QShowEvent>
#include <QTabBar>

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent)
{
    setDocumentMode(false);
    tabBar()->setFocusPolicy(Qt::TabFocus);
}

void TPageControl::AddPage(TTabSheet* page)
{
    addTab(page, page->Caption());
    if (pendingActive_ == page)
        setCurrentWidget(page);
}

TTabSheet* TPageControl::ActivePage() const
{
    return qobject_cast<TTabSheet*>(currentWidget());
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    pendingActive_ = page;
    if (page && indexOf(page) >= 0)
        setCurrentWidget(page);
}

QObject* TPageControl::ActivePageObject() const
{
    return ActivePage();
}

void TPageControl::SetActivePageObject(QObject* page)
{
    SetActivePage(qobject_cast<TTabSheet*>(page));
}

TTabSheet::TTabSheet(QWidget* parent) : QWidget(parent) {}

void TTabSheet::SetCaption(const QString& caption)
{
    caption_ = caption;
    if (auto* tabs = qobject_cast<QTabWidget*>(parentWidget() ? parentWidget()->parentWidget() : nullptr)) {
        int index = tabs->indexOf(this);
        if (index >= 0)
            tabs->setTabText(index, caption);
    }
}

void TTabSheet::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && OnShow)
        RunGuarded([this] { OnShow(this); });
}

TTimer::TTimer(QObject* parent) : QTimer(parent)
{
    setInterval(1000);
    setTimerType(Qt::CoarseTimer);
    connect(this, &QTimer::timeout, this, [this] {
        if (OnTimer)
            RunGuarded([this] { OnTimer(this); });
    });
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled)
        start();
    else
        stop();
}
