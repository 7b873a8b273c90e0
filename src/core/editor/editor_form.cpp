#include "core/editor/editor_form.h"

#include "core/program.h"

namespace cardwise {

LoadedForm formFromPair(const Program&, std::int32_t) { return {}; }
EditorForm newPairForm(PairKind kind, std::string category) {
    EditorForm form;
    form.kind = kind;
    form.ECategory = std::move(category);
    return form;
}
std::string pairTextFromForm(const EditorForm&, std::int32_t) { return {}; }
std::optional<FormRefusal> checkForm(const EditorForm&) { return std::nullopt; }
EditorForm closeGaps(EditorForm form) { return form; }
std::string editorCaption(const Program&, bool) { return {}; }
std::size_t rewrittenLength(std::string_view pairText, std::int32_t) { return pairText.size(); }

}  // namespace cardwise
