#include "app/progress/RunSummaryView.h"

#include "controls/SkinCtrls.h"
#include "game/RunSummary.h"

#include <QPointer>

TSkinLabel* CreateRunSummaryLabel(QWidget* gamePanel)
{
    auto* label = new TSkinLabel(gamePanel);
    label->setObjectName(QStringLiteral("lRunSummary"));
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetWordWrap(true);
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(kRunSummaryPlace);
    label->SetCaption(QString());
    label->show();
    return label;
}

void ShowRunSummaryIn(TRunSummary& summary, TSkinLabel* label)
{
    // The label may go with its page before the summary does.
    QPointer<TSkinLabel> guarded(label);
    summary.OnText = [guarded](const std::string& text) {
        if (guarded)
            guarded->SetCaption(QString::fromStdString(text));
    };
}
