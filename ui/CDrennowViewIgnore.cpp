// The main view's ignore-list commands: a problem row's context menu, which takes the entry
// (and every other problem it covers) off the results at once, and Option > Ignored
// Entries...
#include <QScrollBar>

#include "engine/IgnoreList.h"
#include "ui/CDialogIgnoredEntries.h"
#include "ui/CDrennowView.h"
#include "ui/CListCtrlResult.h"
#include "ui/CStaticLink.h"
#include "ui/shared/IgnoredEntries.h"
#include "ui/ViewControls.h"
#include "ui/res/Strings.h"

void CDrennowView::IgnoreProblem(int row, bool wholeKey) {
    engine::ScanResults& results = session_.Results();
    const engine::ProblemList& shown = results.Section(markerRow_ + 1).problems;
    if (row < 0 || static_cast<std::size_t>(row) >= shown.size()) return;
    const engine::IgnoreEntry entry =
        engine::EntryForProblem(shown[static_cast<std::size_t>(row)], wholeKey);
    if (!ui::shared::AddIgnoreEntry(services_, session_, host_, entry)) return;
    engine::DropCovered(results, entry);
    RefreshResultCounts();
}

void CDrennowView::RefreshResultCounts() {
    const engine::ScanResults& results = session_.Results();
    resultCount_->setText(QString::number(results.total) + ui::text::kProblemsFoundSuffix);
    ShowResultRows(ui::shared::ResultRows(results));
    // The section shown stays, scrolled where it was, while it has problems left.
    const int row = ui::shared::RowToShow(results, markerRow_);
    if (row == markerRow_) {
        const int scrolled = problemList_->verticalScrollBar()->value();
        ShowSectionProblems(markerRow_);
        problemList_->verticalScrollBar()->setValue(scrolled);
    } else if (row >= 0) {
        ShowSectionProblems(row);
    } else {
        problemList_->Fill(nullptr);
    }
    update();
}

void CDrennowView::RunIgnoredEntries() {
    CDialogIgnoredEntries dialog(services_, host_, this, links_.openUrl);
    dialog.exec();
}
