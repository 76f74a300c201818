#pragma once
// The page texts are kept as small plain-text files with a few marks, so that
// they read as prose, can be spell-checked as they are, and turn into the
// rich text of the pages' text fields here.
//
// Marks, each on a line of its own:
//   # Heading            a bold heading
//   [picture name.png]   a picture of the program (a resource under :/help/)
//   ----                 a horizontal rule
//   ====                 splits the text into two sections (page 10)
//   * item               a list item (consecutive items form one list)
// Blank lines separate paragraphs; inside a paragraph _words_ are italic.
//
// Why not Qt's own Markdown (QTextDocument::setMarkdown): rendered side by side
// at the pages' width, no page came out the same. Markdown's paragraphs and
// list items are spaced 6 px apart where these pages have 12 px between
// paragraphs and none between the items of a list, and Markdown can neither
// scale a picture to the text's width nor centre it. Matching the pages would
// take a pass over the document as long as this converter.

#include <QString>
#include <QStringList>

namespace tarnwell::help {

// The raw text of a page, read from the resources; empty when missing.
QString pageSource(const QString& pageName);

// The source split at the "====" mark (one element when there is none).
QStringList sections(const QString& source);

// Rich text of one section; pictures are scaled down to `maxPictureWidth`
// pixels when wider.
QString toHtml(const QString& section, int maxPictureWidth);

// The picture files a text names, in order.
QStringList picturesNamed(const QString& source);

// The prose of a text with every mark removed: what a reader reads.
QString plainProse(const QString& source);

}  // namespace tarnwell::help
