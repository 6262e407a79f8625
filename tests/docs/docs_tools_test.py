#!/usr/bin/env python3
"""The manual's two helpers: the comment filter reads the headers' style as Doxygen's, and
the link check finds every link that leads nowhere (and only those)."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.environ.get("VG_SOURCE_DIR", "."), "docs", "manual"))
import check_links  # noqa: E402
import comment_filter  # noqa: E402

HEADER = """#pragma once
// What the file holds.
#include <QString>

namespace vg {

// A widget.
class Widget {
  Q_PROPERTY(int value READ value WRITE setValue)
 public:
  // The value, its setter and its reset.
  int value() const;
  void setValue(int value);
  void resetValue();

  // One declaration alone.
  void refresh() { update(); }

  int count_ = 0;  // how many
  // A comment about what follows, not a declaration's.

 private:
  int hidden_;
};

}  // namespace vg
"""


class CommentFilter(unittest.TestCase):
    def setUp(self):
        self.out = comment_filter.filter_header(HEADER).split("\n")

    def test_file_comment_becomes_the_files_text(self):
        self.assertEqual(self.out[1:3], ["/// \\file", "/// What the file holds."])

    def test_a_comment_covers_its_run_of_declarations_as_a_group(self):
        i = self.out.index("  ///@{")
        self.assertEqual(self.out[i + 1:i + 6], [
            "  /// The value, its setter and its reset.", "  int value() const;",
            "  void setValue(int value);", "  void resetValue();", "  ///@}"])

    def test_a_single_declaration_and_a_class_are_not_grouped(self):
        self.assertEqual(self.out.count("  ///@{"), 1)
        self.assertIn("/// A widget.", self.out)
        self.assertIn("  /// One declaration alone.", self.out)

    def test_trailing_comment_documents_its_line_but_not_a_closing_brace(self):
        self.assertIn("  int count_ = 0;  ///< how many", self.out)
        self.assertIn("}  // namespace vg", self.out)

    def test_a_comment_before_an_access_specifier_stays_plain(self):
        self.assertIn("  // A comment about what follows, not a declaration's.", self.out)

    def test_a_property_without_a_comment_takes_its_getters(self):
        line = next(x for x in self.out if "Q_PROPERTY" in x)
        self.assertTrue(line.lstrip().startswith(
            "/** The value, its setter and its reset. */ Q_PROPERTY(int value"), line)

    def test_markdown_headings_get_githubs_anchors_outside_code(self):
        text = "# The immediate window: `vgi`\n```\n# not a heading\n```\n## Done {#kept}\n"
        self.assertEqual(comment_filter.filter_markdown(text).split("\n"), [
            "# The immediate window: `vgi` {#the-immediate-window-vgi}", "```",
            "# not a heading", "```", "## Done {#kept}", ""])


class LinkCheck(unittest.TestCase):
    def test_reports_missing_files_and_anchors_only(self):
        with tempfile.TemporaryDirectory() as root:
            os.mkdir(os.path.join(root, "sub"))
            with open(os.path.join(root, "b.html"), "w") as f:
                f.write('<a id="x"></a><a name="n"></a><img src="sub/pic.png">')
            with open(os.path.join(root, "sub", "pic.png"), "w") as f:
                f.write("")
            with open(os.path.join(root, "a.html"), "w") as f:
                f.write('<a href="b.html#x">ok</a><a href="b.html#n">ok</a>'
                        '<a href="#self">self</a><span id="self"></span>'
                        '<a href="https://example.org/none.html">outside</a>'
                        '<a href="b.html#y">no anchor</a><a href="c.html">no file</a>'
                        '<img src="sub/missing%20pic.png">')
            broken = sorted(link for _, link in check_links.broken_links(root))
            self.assertEqual(broken, ["b.html#y", "c.html", "sub/missing%20pic.png"])


if __name__ == "__main__":
    unittest.main()
