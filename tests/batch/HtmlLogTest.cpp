#include "batch/HtmlLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(HtmlLog, WritesHeadEntriesErrorLinesAndTail) {
    TempDir dir;
    const std::string path = dir.File("blkcnv.htm");
    {
        CHtmlLog log;
        ASSERT_TRUE(log.Open(path));
        ConversionLogEntry converted;
        converted.linkPath = "./a.jpg";
        converted.imagePath = "./a.jpg";
        converted.outputName = "a.jpg";
        converted.sourcePath = "/photos/a.jpg";
        converted.sourceWidth = 640;
        converted.sourceHeight = 480;
        converted.sourceSize = 123456;
        converted.outputWidth = 80;
        converted.outputHeight = 60;
        converted.outputSize = 3312;
        log.WriteConversionEntry(converted);
        converted.altIsOriginalSize = true;
        converted.linkPath = converted.imagePath = "./sub/b.jpg";
        log.WriteConversionEntry(converted);
        log.WriteErrorLine(kLogCantOpenFile, "/photos/b.jpg");
        log.WriteErrorLine(kLogCantMkdir, "/out/sub");
        FilterLogEntry filtered{"./sub/c.jpg", "/out/sub/c.jpg", 1024, 768, 200000, 150000};
        log.WriteFilterEntry(filtered);
        filtered.outputSize = 200100; // the file grew
        log.WriteFilterEntry(filtered);
    } // an unfinished job still gets its tail
    EXPECT_EQ(
        TempDir::Read(path),
        "<HTML><BODY>\n"
        "<A href=\"./a.jpg\">\n"
        "<IMG src=\"./a.jpg\" width=80 height=60 alt=\"a.jpg(3.2K)\" align=\"left\" border=0>\n"
        "/photos/a.jpg<BR></A>\n"
        "640 x 480 123,456byte<BR>\n"
        "80 x 60 3,312byte<BR clear=\"all\"><BR>\n\n"
        "<A href=\"./sub/b.jpg\">\n"
        "<IMG src=\"./sub/b.jpg\" width=80 height=60 alt=\"a.jpg(120.5K)\" align=\"left\" "
        "border=0>\n"
        "/photos/a.jpg<BR></A>\n"
        "640 x 480 123,456byte<BR>\n"
        "80 x 60 3,312byte<BR clear=\"all\"><BR>\n\n"
        "<FONT color=\"red\"><STRONG>[Can't open file : /photos/b.jpg]</STRONG></FONT><BR>\n"
        "<FONT color=\"red\"><STRONG>[Can't MKDIR of /out/sub]\n</STRONG></FONT><BR>\n"
        "<A href=\"./sub/c.jpg\">/out/sub/c.jpg</A><BR>\n"
        "width=1024 height=768 (146.4Kbytes)<BR>\n"
        "Size=150,000bytes(50000)<BR>\n"
        "<BR>\n\n"
        "<A href=\"./sub/c.jpg\">/out/sub/c.jpg</A><BR>\n"
        "width=1024 height=768 (195.4Kbytes)<BR>\n"
        "Size=200,100bytes(-100)<BR>\n"
        "<BR>\n\n"
        "</BODY></HTML>\n");
}

TEST(HtmlLog, NamesCannotAddMarkup) {
    TempDir dir;
    const std::string path = dir.File("log.htm");
    CHtmlLog log;
    ASSERT_TRUE(log.Open(path));
    const std::string name = "x\"><script>alert(1)</script>&.jpg";
    log.WriteFilterEntry({"./" + name, "/out/" + name, 1, 1, 10, 10});
    log.WriteErrorLine(kLogCantSave, "/out/<b>&\"");
    log.Close();
    log.WriteErrorLine(kLogCantSave, "after close"); // nothing is written without an open log
    const std::string escaped = "x&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;.jpg";
    EXPECT_EQ(TempDir::Read(path), "<HTML><BODY>\n"
                                   "<A href=\"./" +
                                       escaped + "\">/out/" + escaped +
                                       "</A><BR>\n"
                                       "width=1 height=1 (10bytes)<BR>\n"
                                       "Size=10bytes(0)<BR>\n"
                                       "<BR>\n\n"
                                       "<FONT color=\"red\"><STRONG>[Can't Save to "
                                       "/out/&lt;b&gt;&amp;&quot;]</STRONG></FONT><BR>\n"
                                       "</BODY></HTML>\n");
    EXPECT_FALSE(log.Open(dir.File("no/such/dir/log.htm")));
    EXPECT_FALSE(log.IsOpen());
}
