#include "app/hookups/HistoryHookup.h"

#include <algorithm>

#include "app/language/Language.h"

#include "app/options/OptionsPage.h"
#include "app/progress/ProgressPage.h"
#include "app/progress/RunSummaryView.h"
#include "app/window/Application.h"
#include "app/window/Forms.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"
#include "graphics/Image32.h"

using lirasto::settings::TOption;

THistoryHookup::THistoryHookup(const TGamePage& game, TOptionsPage& options, const TWindowPages& pages,
                               const TDesignPictures& pictures)
    : game_(game), options_(options), pageControl_(*pages.PageControl), sheet_(*pages.tsProgress), pictures_(pictures),
      recorder_(store_)
{
    TGameCore& core = game_.Core;
    core.AddListener(&recorder_, TGameCore::TListenerStage::Keep);
    core.AddListener(&chooser_, TGameCore::TListenerStage::Keep);
    summary_.NamingNow = &CurrentNoteNaming;
    core.AddListener(&summary_, TGameCore::TListenerStage::Keep);
    core.AddListener(this, TGameCore::TListenerStage::Keep);

    setDrilling(options_.Options().On(TOption::DrillWeakNotes));
    connect(&options_, &TOptionsPage::OptionChanged, this, [this](TOption option, int value) {
        if (option == TOption::DrillWeakNotes)
            setDrilling(value != 0);
    });

    connect(&pageControl_, &QTabWidget::currentChanged, this, [this] {
        if (pageControl_.currentWidget() == &sheet_)
            RunGuarded([this] { pageShown(); });
    });
    // The store tells from its worker; the page reads it again on the GUI thread.
    connect(
        &store_, &THistoryModule::Changed, this,
        [this] {
            if (page_ && page_->isVisible())
                RunGuarded([this] { page_->Refresh(); });
        },
        Qt::QueuedConnection);
}

THistoryHookup::~THistoryHookup()
{
    // The page reads the store; it must not outlive it.
    delete page_;
    TGameCore& core = game_.Core;
    core.SetChooser(nullptr);
    core.RemoveListener(this);
    core.RemoveListener(&summary_);
    core.RemoveListener(&chooser_);
    core.RemoveListener(&recorder_);
}

void THistoryHookup::Start()
{
    store_.Start();
}

TProgressPage* THistoryHookup::ProgressPage() const
{
    return page_;
}

TSkinLabel* THistoryHookup::SummaryLabel() const
{
    return summaryLabel_;
}

bool THistoryHookup::Drilling() const
{
    return options_.Options().On(TOption::DrillWeakNotes);
}

void THistoryHookup::SetPractice(const QString& name)
{
    recorder_.SetPractice(name);
    if (page_)
        page_->SetPractice(name);
}

void THistoryHookup::setDrilling(bool on)
{
    // Ticked on during a run, the chooser starts from the history as it is now.
    if (on && game_.Core.Running())
        loadChooser();
    game_.Core.SetChooser(on ? &chooser_ : nullptr);
}

void THistoryHookup::RunStarted(int)
{
    // Made at the first Start rather than with the window, which then shows sooner.
    if (!summaryLabel_) {
        summaryLabel_ = CreateRunSummaryLabel(game_.pMain);
        ShowRunSummaryIn(summary_, summaryLabel_);
    }
    if (Drilling())
        loadChooser();
}

void THistoryHookup::loadChooser()
{
    // An answer judged during the last run is already in the store: the run's end waits for
    // the commits queued before it.
    const QString practice = recorder_.Practice();
    if (!practice.isEmpty()) {
        // A practice's questions come from its own clef, key and range at whatever level was chosen:
        // the drill learns from every single note answered in it, at every level, oldest first.
        std::vector<TAnswerRecord> answers;
        for (int level = 1; level <= LevelCount; ++level)
            for (const TAnswerRecord& a : store_.Answers(level))
                if (a.Practice == practice)
                    answers.push_back(a);
        std::sort(answers.begin(), answers.end(), [](const auto& a, const auto& b) { return a.Id < b.Id; });
        chooser_.Load(TAdaptiveChooser::kAnyKey, PastAnswers(answers, TAdaptiveChooser::kAnyKey, practice),
                      std::chrono::system_clock::now());
        return;
    }
    const int level = game_.Core.Level();
    const int key = LevelKeys[level];
    chooser_.Load(key, PastAnswers(store_.Answers(level), key, practice), std::chrono::system_clock::now());
}

void THistoryHookup::pageShown()
{
    if (page_)
        return;
    // Built on the first visit only, so that start-up does not pay for it.
    page_ = new TProgressPage(store_, {pictures_.ImgClefs->Bitmap(), pictures_.BMPNoteList, pictures_.BMPKeyList},
                              pictures_.SkinImages, &sheet_);
    page_->LevelSource = [this] { return game_.Core.Level(); };
    page_->PracticeSource = [this] { return recorder_.Practice(); };
    page_->OnResetHistory = [this] { store_.Clear(); };
    page_->show();
}
