#pragma once
// How deep the XML library would recurse while parsing a text, found without
// parsing it. The library descends once per nested element and has no limit
// of its own, so a file nested some thousands of levels deep overflows the
// stack before any of our code runs; this walk is flat.
//
// The walk follows the library's own reading wherever it decides what is an
// element: comments, CDATA, declarations and other markup, quoted attribute
// values, numeric entities (which swallow everything up to their ';') and,
// once the document is read as UTF-8, multi-byte sequences (which swallow the
// bytes after their lead byte, whatever they are). Where it cannot tell which
// way the library reads, it follows every way and counts the deepest. Bytes
// are classified as the library classifies them in the C locale the program
// runs in. No Windows headers: the walk is tested natively too.

struct XmlNesting {
    // The deepest element nesting the parser reaches, counted up to one above
    // the limit the walk was given.
    int depth = 0;
    // A declaration whose rest is only white space: an internal assertion of
    // the library stopped the program on it before the distribution's fix,
    // and no file of ours holds one, so the loader refuses it.
    bool parserFails = false;
};

// text ends at its first NUL byte and has its line ends normalised as the
// library's file loader leaves them. The walk stops once depth passes limit.
XmlNesting MeasureXmlNesting(const char* text, int limit);
