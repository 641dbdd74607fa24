#include "app/window/Forms.h"

#include "app/window/Application.h"

#include <QShowEvent>
#include <QStackedWidget>
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

bool TPageControl::event(QEvent* event)
{
    const bool handled = QTabWidget::event(event);
    // The tab widget lays out its pages again on each of these; the design's page size follows.
    switch (event->type()) {
    case QEvent::LayoutRequest:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::StyleChange:
    case QEvent::FontChange:
        fitPages();
        break;
    default:
        break;
    }
    return handled;
}

// The pages keep the size the window design was laid out for: the page
// control less a 4-pixel frame at the sides and bottom and 24 pixels of tabs.
void TPageControl::fitPages()
{
    constexpr int kFrame = 4;
    constexpr int kTabsHeight = 24;
    if (auto* pages = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        pages->setGeometry(kFrame, kTabsHeight, width() - 2 * kFrame, height() - kTabsHeight - kFrame);
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
