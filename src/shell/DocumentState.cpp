#include "shell/DocumentState.h"

#include "core/ImageDoc.h"

ActiveDocumentState ActiveDocumentStateOf(const CImageDoc& document) {
    ActiveDocumentState state;
    state.typeCode = document.DocType();
    state.pathEmpty = document.PathName().empty();
    state.converted = document.IsConverted();
    state.includeComment = document.IncludesComment();
    state.customDqt = document.UsesCustomDqt();
    state.gammaPresent = document.Facts().hasGamma;
    state.transparent = document.Facts().hasTransparent;
    return state;
}
