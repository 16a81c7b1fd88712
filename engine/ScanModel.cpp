#include "engine/ScanModel.h"

namespace engine {

TextList RecordTexts(const ProblemList& problems) {
    TextList texts;
    texts.reserve(4 * problems.size());
    for (const Problem& problem : problems)
        texts.insert(texts.end(), {problem.key, problem.name, problem.value, problem.Mark()});
    return texts;
}

ProblemList ProblemsFromTexts(const TextList& texts, int section) {
    ProblemList problems;
    problems.reserve(texts.size() / 4);
    for (std::size_t i = 0; i + 3 < texts.size(); i += 4)
        problems.push_back(
            {section, texts[i], texts[i + 1], texts[i + 2], {}, texts[i + 3] == kMarkDelete});
    return problems;
}

}  // namespace engine
