#pragma once
// The facts of an open document that the command rules read.
#include "shell/CommandState.h"

class CImageDoc;

ActiveDocumentState ActiveDocumentStateOf(const CImageDoc& document);
