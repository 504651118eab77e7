#pragma once
// Separation of a document's picture into three new grey documents: Y, Cb and Cr.
#include <vector>

class CDocTemplate;
class CImageDoc;

// Opens the three planes as new documents of the template (8-bit, grey colour table; each
// announced once it holds its plane and title), titled
// after the source with "[Y]", "[Cb]" and "[Cr]" and in the source's sync group; the source
// is not changed. Returns the documents made: all three, or those made before a failure, which
// is reported under "CvEmYcbcr".
std::vector<CImageDoc*> SeparateYCbCr(const CImageDoc& source, CDocTemplate& documents);
