// The main view's ignore-list commands: a problem row's context menu, which takes the entry
// (and every other problem it covers) off the results at once, and Option > Ignored
// Entries...
#include <QScrollBar>

#include "engine/IgnoreList.h"
#include "ui/CDialogIgnoredEntries.h"
#include "ui/CDrennowView.h"
#include "ui/CListCtrlResult.h"
#include "ui/CStaticLink.h"
#include "ui/IgnoredEntries.h"
#include "ui/ViewControls.h"
#include "ui/res/Strings.h"

namespace {
const QColor kGreyText(128, 128, 128);  // as the result rows of a section without problems
}

void CDrennowView::IgnoreProblem(int row, bool wholeKey) {
    engine::ScanResults& results = session_.Results();
    const engine::ProblemList& shown = results.Section(markerRow_ + 1).problems;
    if (row < 0 || static_cast<std::size_t>(row) >= shown.size()) return;
    const engine::IgnoreEntry entry =
        engine::EntryForProblem(shown[static_cast<std::size_t>(row)], wholeKey);
    if (!ui::AddIgnoreEntry(services_, session_, host_, entry)) return;
    engine::DropCovered(results, entry);
    RefreshResultCounts();
}

void CDrennowView::RefreshResultCounts() {
    const engine::ScanResults& results = session_.Results();
    resultCount_->setText(QString::number(results.total) + ui::text::kProblemsFoundSuffix);
    int first = -1;
    for (int row = 0; row < kRows; ++row) {
        const int count = results.Section(row + 1).Count();
        CStaticLink* countLink = countLinks_[ui::Index(row)];
        CStaticLink* sectionLink = sectionLinks_[ui::Index(row)];
        countLink->setText(QString::number(count));
        countLink->SetColor(count > 0 ? QColor(Qt::black) : kGreyText);
        sectionLink->SetFontStyle(&smallFont_, count > 0 ? 1 : 0, 2);
        sectionLink->SetColor(count > 0 ? QColor(Qt::black) : kGreyText);
        sectionLink->SetLinkActive(count > 0);
        if (count > 0 && first < 0) first = row;
    }
    // The section shown stays, scrolled where it was, while it has problems left.
    if (results.Section(markerRow_ + 1).Count() > 0) {
        const int scrolled = problemList_->verticalScrollBar()->value();
        ShowSectionProblems(markerRow_);
        problemList_->verticalScrollBar()->setValue(scrolled);
    } else if (first >= 0) {
        ShowSectionProblems(first);
    } else {
        problemList_->Fill(nullptr);
    }
    update();
}

void CDrennowView::RunIgnoredEntries() {
    CDialogIgnoredEntries dialog(services_, host_, this, links_.openUrl);
    dialog.exec();
}
