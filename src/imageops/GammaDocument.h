#pragma once
// Applying the gamma / contrast / bias transfer to a document's picture.

class CImageDoc;

// Makes every sample byte v of a 24-bit copy of the picture gamma[levels[v]] and installs the
// copy as the document's picture ("Modified Image", modified mark on). On failure the document
// is unchanged and message 354 or 353 has been reported under "Gamma".
bool ApplyGamma(CImageDoc& document, const int gamma[256], const int levels[256]);
