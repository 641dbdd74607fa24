#pragma once

#include "graphics/Image32.h"

#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <functional>

// The window's plain platform components: the page control with its pages and
// the one-second timer. The skinned controls and image views live elsewhere.

class TTabSheet;

class TPageControl : public QTabWidget
{
    Q_OBJECT
    Q_PROPERTY(QObject* ActivePage READ ActivePageObject WRITE SetActivePageObject)

public:
    explicit TPageControl(QWidget* parent = nullptr);

    void AddPage(TTabSheet* page);
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);

    QObject* ActivePageObject() const;
    void SetActivePageObject(QObject* page);

protected:
    bool event(QEvent* event) override;

private:
    void fitPages();

    TTabSheet* pendingActive_ = nullptr;
};

class TTabSheet : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TTabSheet(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Runs when the page becomes visible: when the window is first shown and
    // whenever the user comes back to it; not when a minimised window is
    // restored, which would otherwise reset a running level.
    TNotifyEvent OnShow;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString caption_;
};

class TTimer : public QTimer
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Interval READ interval WRITE setInterval)

public:
    explicit TTimer(QObject* parent = nullptr);

    bool Enabled() const { return isActive(); }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;
};
