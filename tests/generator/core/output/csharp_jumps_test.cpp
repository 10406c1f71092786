// The jumps of a C# method that C# cannot take as the C program writes them
// (a goto into a block that does not enclose it): each is mended into a
// re-entry of the blocks on the way, the method compiled by mcs and run by
// mono, and the statements it runs are those the C program's goto runs:
// a later CASE branch back to an earlier one's label, a jump after a loop
// into its body, a jump from one branch of an IF into the other, a jump
// back into a DOUNTIL whose command bears the label, a jump through four
// blocks, a jump into a for loop through its head, a jump from after a
// CASE into an IF of its OTHERWISE past the OTHERWISE's statements. A jump into a switch
// is refused; a method whose jumps all reach their labels is left as it is.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "generator/core/output/csharp_jumps.h"
#include "support/commands.h"
#include "support/scratch.h"

namespace {

std::vector<GEN_HELD_LINE> held(const std::string& body)
{
    std::vector<GEN_HELD_LINE> lines;
    std::istringstream in(body);
    for (std::string line; std::getline(in, line);) {
        const size_t indent = line.find_first_not_of(' ');
        lines.push_back({indent == std::string::npos ? 0 : indent,
                         indent == std::string::npos ? std::string() : line.substr(indent), true, false, true});
    }
    return lines;
}

std::string text(const std::vector<GEN_HELD_LINE>& lines)
{
    std::string out;
    for (const GEN_HELD_LINE& l : lines)
        out += std::string(l.ulIndent, ' ') + l.text + "\n";
    return out;
}

class CSharpJumps : public ::testing::Test {
protected:
    /* The body mended, as a method Run(a) that answers the trace of T(...)
       calls; compiled by mcs. Empty when it compiles. */
    std::string compile(const std::string& body, std::string* mended = nullptr, const std::string& more = "")
    {
        std::vector<GEN_HELD_LINE> lines = held(body);
        std::string refused;
        if (!P3109_fMendCSharpJumps(lines, false, refused))
            return "refused: " + refused;
        if (mended)
            *mended = text(lines);
        const std::filesystem::path cs = dir_ / "Jumps.cs";
        std::ofstream(cs) << "public static class Jumps\n{\n"
                             "   static string t = \"\";\n"
                             "   static void T(string s) { t += s + \" \"; }\n"
                             "   static string Run(int a)\n   {\n"
                          << text(lines) << "      return t;\n   }\n"
                          << more
                          << "   public static void Main(string[] args)\n"
                             "   {\n      System.Console.Write(Run(int.Parse(args[0])));\n   }\n}\n";
        return testsupport::runOutput("mcs -nologo -warn:0 -out:'" + (dir_ / "Jumps.exe").string() + "' '" +
                                      cs.string() + "' 2>&1");
    }

    /* The C body mended for C, in a main() whose locals are `locals` after
       `prelude` (macros), with T(s, n) printing "s<n> "; compiled by gcc.
       Empty when it compiles. */
    std::string compileC(const std::string& name, const std::string& prelude, const std::string& locals,
                         const std::string& body)
    {
        const std::filesystem::path c = dir_ / (name + ".c");
        std::ofstream(c) << "#include <stdio.h>\n#include <stdlib.h>\n"
                         << prelude
                         << "static void T(const char* s, long n) { printf(\"%s%ld \", s, n); }\n"
                            "int main(int argc, char** argv)\n{\n"
                            "   int a = argc > 1 ? atoi(argv[1]) : 0"
                         << locals << ";\n"
                         << body << "   return 0;\n}\n";
        return testsupport::runOutput("gcc -std=c99 -O2 -Wall -Werror -o '" + (dir_ / name).string() + "' '" +
                                      c.string() + "' 2>&1");
    }

    std::string runC(const std::string& name, int a)
    {
        return testsupport::runOutput("'" + (dir_ / name).string() + "' " + std::to_string(a));
    }

    std::string trace(int a)
    {
        return testsupport::runOutput("mono '" + (dir_ / "Jumps.exe").string() + "' " + std::to_string(a));
    }

    testsupport::ScratchDir dir_{"dqov_jumps"};
};

/* WHEN 2 goes back to the screen of WHEN 1: the C program enters WHEN 1's
   branch at the label, shows the screen and leaves the CASE. */
TEST_F(CSharpJumps, LaterCaseBranchBackToAnEarlierOnesLabel)
{
    std::string mended;
    ASSERT_EQ(compile(R"(      int n = 0;
      do /* A Single Iteration CASE Loop */
      {
         if ( a == 1 )
         {
            T("w1");
   X_Last_Display_0006:
            T("display");
            n++;
            break;
         }
         if ( a == 2 )
         {
            T("w2");
            if ( n < 2 )
            {
               /* Branch to computed last screen panel */
               goto X_Last_Display_0006;
            }
            break;
         }
      } while(false); /* A single iteration CASE Loop */
      T("end" + n);
)",
                      &mended),
              "")
        << mended;
    EXPECT_EQ(trace(1), "w1 display end1 ");
    EXPECT_EQ(trace(2), "w2 display end1 ");
    EXPECT_EQ(trace(3), "end0 ");
    /* the local first; the branch's test lets the resume in and passes it on first */
    EXPECT_EQ(mended.find("int lResumePoint = 0;"), mended.find_first_not_of(' '));
    EXPECT_NE(mended.find("if ( lResumePoint == 1 || ( a == 1 ) )\n         {\n"
                          "            if ( lResumePoint == 1 ) { lResumePoint = 0; goto X_Last_Display_0006; }\n"),
              std::string::npos)
        << mended;
    EXPECT_NE(mended.find("{ lResumePoint = 1; goto X_Resume_1_"), std::string::npos);
}

/* After a SELECT-like loop, the validation error goes back to the screen
   shown in its body: the C program goes on in the body, then tests the
   loop again. */
TEST_F(CSharpJumps, AfterALoopBackIntoItsBody)
{
    ASSERT_EQ(compile(R"(      {
         int count = 0;
         while ( count < 2 )
         {
            count++;
            T("row" + count);
   X_Last_Display_0009:
            T("disp");
         }
         if ( count < 3 )
         {
            count++;
            goto X_Last_Display_0009;
         }
         T("end");
      }
)"),
              "");
    EXPECT_EQ(trace(0), "row1 disp row2 disp disp end ");
}

/* From the ELSE branch into the IF's own branch, and from there into the
   ELSE branch again. */
TEST_F(CSharpJumps, BetweenTheBranchesOfAnIf)
{
    std::string mended;
    ASSERT_EQ(compile(R"(      int x = 0, y = 0;
      if ( a > 0 )
      {
         T("then");
   X_Label_A01: ;
         T("A01");
         if ( x++ == 0 )
         {
            goto X_Label_B01;
         }
      }
      else
      {
         T("else");
         if ( y++ == 0 ) goto X_Label_A01;
   X_Label_B01: ;
         T("B01");
      }
      T("end");
)",
                      &mended),
              "")
        << mended;
    EXPECT_EQ(trace(0), "else A01 B01 end ");
    EXPECT_EQ(trace(1), "then A01 B01 end ");
    /* one test lets both in: the IF's branch for one label, ELSE for the other */
    EXPECT_NE(mended.find("if ( lResumePoint == 2 || ( lResumePoint != 1 && ( a > 0 ) ) )"), std::string::npos)
        << mended;
}

/* Braces are found at every place of a line's last sixteen bytes, however
   many of them the line has: the same jumps are mended the same way with
   a comment of any length before each brace. */
TEST_F(CSharpJumps, BracesFoundAtEveryPlaceOfALinesLastBytes)
{
    const auto mend = [](size_t pad) {
        const std::string c = "/*" + std::string(pad, '.') + "*/ ";
        std::vector<GEN_HELD_LINE> lines = held("      int x = 0, y = 0;\n"
                                                "      if ( a > 0 ) " + c + "{\n"
                                                "         T(\"then\");\n"
                                                "   X_Label_A01: ;\n"
                                                "         if ( x++ == 0 ) " + c + "{\n"
                                                "            goto X_Label_B01;\n"
                                                "         " + c + "}\n"
                                                "      " + c + "}\n"
                                                "      else\n"
                                                "      " + c + "{\n"
                                                "         if ( y++ == 0 ) goto X_Label_A01;\n"
                                                "   X_Label_B01: ;\n"
                                                "      " + c + "}\n");
        std::string refused;
        EXPECT_TRUE(P3109_fMendCSharpJumps(lines, false, refused)) << refused;
        std::string mended = text(lines);
        for (size_t at = 0; (at = mended.find("/*" + std::string(pad, '.') + "*/", at)) != std::string::npos; at += 4)
            mended.replace(at, pad + 4, "/**/");
        return mended;
    };
    const std::string expected = mend(0);
    ASSERT_NE(expected.find("if ( lResumePoint == 2 || ( lResumePoint != 1 && ( a > 0 ) ) )"), std::string::npos)
        << expected;
    for (size_t pad = 1; pad <= 40; ++pad)
        EXPECT_EQ(mend(pad), expected) << "comments of " << pad << " dots";
}

/* The same jumps in lines read back as a file holds them, each keeping its
   indent in its text: braces, labels, jumps, comments, literals and
   directives are found wherever they stand, in a line's first sixteen
   bytes, past them or among its last few. */
TEST_F(CSharpJumps, MarksFoundWhereverTheyStandOnALine)
{
    std::vector<GEN_HELD_LINE> lines;
    for (const char* t : {"      int x = 0, y = 0; /* { */ string s = \"}\"; char c = '{';",
                          "                        #region {",
                          "      if ( a > 0 ) {",
                          "         T(\"then\");",
                          "                       X_Label_A01: ;",
                          "         T(\"A01\" + s.Length + c);",
                          "         if ( x++ == 0 )                 {",
                          "            goto X_Label_B01;",
                          "         }",
                          "      }",
                          "      else // }",
                          "      {",
                          "         T(\"else\");",
                          "         if ( y++ == 0 )               goto X_Label_A01;",
                          "                       X_Label_B01: ;",
                          "         T(\"B01\");                      }",
                          "                        #endregion }",
                          "      T(\"end\");"})
        lines.push_back({0, t, true, false, true});
    std::string refused;
    ASSERT_TRUE(P3109_fMendCSharpJumps(lines, false, refused)) << refused;
    const std::string mended = text(lines);
    EXPECT_NE(mended.find("if ( lResumePoint == 2 || ( lResumePoint != 1 && ( a > 0 ) ) )"), std::string::npos)
        << mended;
    const std::filesystem::path cs = dir_ / "Jumps.cs";
    std::ofstream(cs) << "public static class Jumps\n{\n"
                         "   static string t = \"\";\n"
                         "   static void T(string s) { t += s + \" \"; }\n"
                         "   static string Run(int a)\n   {\n"
                      << mended
                      << "      return t;\n   }\n"
                         "   public static void Main(string[] args)\n"
                         "   {\n      System.Console.Write(Run(int.Parse(args[0])));\n   }\n}\n";
    ASSERT_EQ(testsupport::runOutput("mcs -nologo -warn:0 -out:'" + (dir_ / "Jumps.exe").string() + "' '" +
                                     cs.string() + "' 2>&1"),
              "")
        << mended;
    EXPECT_EQ(trace(0), "else A011{ B01 end ");
    EXPECT_EQ(trace(1), "then A011{ B01 end ");
}

/* A DOUNTIL whose command bears the label: its label stands inside the do
   loop, and a jump from after the loop runs the body again. */
TEST_F(CSharpJumps, BackIntoADoLoopWhoseCommandBearsTheLabel)
{
    ASSERT_EQ(compile(R"(      int i = 0;
      do
      {
   X_Label_L05: ;
         T("body" + i);
         i++;
      } while ( i < 2 );
      if ( i < 4 ) goto X_Label_L05;
      T("end");
)"),
              "");
    EXPECT_EQ(trace(0), "body0 body1 body2 body3 end ");
}

/* Through a loop, a CASE and two IF branches down to the label; the C
   program ends the branch, leaves the CASE, tests the loop and goes on. */
TEST_F(CSharpJumps, ThroughFourBlocks)
{
    std::string mended;
    ASSERT_EQ(compile(R"(      int k = 0;
      while ( k < 1 )
      {
         if ( pX_Ids_FatalError() ) break;
         k++;
         do
         {
            X_VAR_FRAME frame = new X_VAR_FRAME();
            if ( a == 9 )
            {
               if ( k > 5 )
               {
                  T("deep");
   X_Label_E01: ;
                  T("E01" + frame.n);
               }
               break;
            }
            T("other");
         } while(false);
      }
      if ( k == 1 )
      {
         k = 7;
         goto X_Label_E01;
      }
      T("end");
)",
                      &mended,
                      "   class X_VAR_FRAME { public int n = 4; }\n"
                      "   static bool pX_Ids_FatalError() { return false; }\n"),
              "")
        << mended;
    EXPECT_EQ(trace(0), "other E014 end ") << mended;
    /* the frame is declared before the CASE passes the resume on */
    EXPECT_LT(mended.find("X_VAR_FRAME frame = new X_VAR_FRAME();"),
              mended.find("if ( lResumePoint == 1 ) goto X_Resume_1_", mended.find("X_VAR_FRAME frame")));
}

/* Into a loop's declarations from outside: they are made before the resume
   is passed on, so the C# compiles. */
TEST_F(CSharpJumps, IntoABlockPastItsDeclarations)
{
    std::string mended;
    ASSERT_EQ(compile(R"(      int n = 0;
      if ( n == 0 ) goto X_Label_C01;
      {
         int
            idx = 0,
            lim = 2;
         X_VAR_FRAME
            frame = new X_VAR_FRAME();
         while ( idx <= lim )
         {
   X_Label_C01: ;
            T("i" + idx + frame.n);
            idx = idx + 1;
         }
      }
      T("end");
)",
                      &mended, "   class X_VAR_FRAME { public int n = 4; }\n"),
              "")
        << mended;
    EXPECT_EQ(trace(0), "i04 i14 i24 end ");
}

/* A for loop (a SELECTLIST's entries) is entered through its head: its
   initialisation runs (the C program's goto leaves the counter unset), its
   test lets the resume in, and its first pass goes on at the label; then
   it steps on as after any pass. A jump from after the loop enters it so
   again. */
TEST_F(CSharpJumps, IntoAForLoopThroughItsHead)
{
    std::string mended;
    ASSERT_EQ(compile(R"(      int i = 7, back = 0;
      T("start");
      if ( a == 1 ) goto X_Label_D01;
      for ( i = 0; i < 3; i++ )
      {
         T("top" + i);
   X_Label_D01: ;
         T("x" + i);
      }
      if ( a == 2 && back == 0 )
      {
         back = 1;
         goto X_Label_D01;
      }
      T("end" + i);
)",
                      &mended),
              "")
        << mended;
    EXPECT_EQ(trace(0), "start top0 x0 top1 x1 top2 x2 end3 ");
    EXPECT_EQ(trace(1), "start x0 top1 x1 top2 x2 end3 ");
    EXPECT_EQ(trace(2), "start top0 x0 top1 x1 top2 x2 x0 top1 x1 top2 x2 end3 ");
    EXPECT_NE(mended.find("for ( i = 0; lResumePoint == 1 || ( i < 3) ; i++ )"), std::string::npos) << mended;
}

/* A for head without a test lets every resume in as it stands; the
   initialisation is multi-line as the list loops write it. */
TEST_F(CSharpJumps, IntoAForLoopOfSeveralLinesAndNoTest)
{
    std::string mended;
    ASSERT_EQ(compile(R"(      int i;
      goto X_Label_D02;
      for ( i = 5;
         ;
         i++ )
      {
         if ( i > 6 ) break;
         T("top" + i);
   X_Label_D02: ;
         T("x" + i);
      }
)",
                      &mended),
              "")
        << mended;
    EXPECT_EQ(trace(0), "x5 top6 x6 ");
    EXPECT_EQ(mended.find("lResumePoint == 1 ||"), std::string::npos) << mended;
}

/* C: a jump from after a loop back into its body enters the block that
   holds the loop's set-up (its counter and limit, declared without a
   value and set after the statement macro before the block): the set-up
   runs and the loop lets the resume in, so the counter and limit are set
   when the label's statements run. gcc -O2 -Wall -Werror takes the
   mended function, and it runs as the loop entered at its head. */
TEST_F(CSharpJumps, CIntoALoopPastItsSetUp)
{
    std::vector<GEN_HELD_LINE> lines = held(R"(      EVALUATE_COMMAND_2
      {
         long lCount;
         long lLimit;
         lCount = 0;
         lLimit = 2;
         while ( lCount < lLimit )
         {
            T("top", lCount);
   X_Label_M01: ;
            T("x", lCount);
            lCount++;
         }
      }
      if ( a == 1 && back == 0 ) { back = 1; goto X_Label_M01; }
)");
    P3109_MendJumpsPastDeclarations(lines, false);
    const std::string body = text(lines);
    EXPECT_NE(body.find("      EVALUATE_COMMAND_2\n      X_Resume_1_"), std::string::npos) << body;
    ASSERT_EQ(compileC("jumps", "#define EVALUATE_COMMAND_2 printf(\"eval \");\n", ", back = 0", body), "") << body;
    EXPECT_EQ(runC("jumps", 0), "eval top0 x0 top1 x1 ");
    EXPECT_EQ(runC("jumps", 1), "eval top0 x0 top1 x1 x0 top1 x1 ");
}

/* C: a jump into a CASE's block (which declares) past a DOUNTIL that a
   command's evaluation macro opens in the same IF: the macro's line before
   the "do" is no declaration, so the resume passes on at the IF's first
   statement and neither the evaluation nor the loop runs. */
TEST_F(CSharpJumps, CPastAnEvaluationAndALoopIntoACase)
{
    std::vector<GEN_HELD_LINE> lines = held(R"(      if ( a == 1 ) goto X_Label_L10;
      T("start", 0);
      if ( a == 2 )
      {
         EVALUATE_COMMAND_6
         do
         {
            T("loop", 0);
         } while ( 0 );
         do
         {
            long lCase = 7;
            T("case", lCase);
   X_Label_L10: ;
            T("label", 0);
         } while ( 0 );
      }
)");
    P3109_MendJumpsPastDeclarations(lines, false);
    const std::string body = text(lines);
    ASSERT_EQ(compileC("case", "#define EVALUATE_COMMAND_6 printf(\"eval \");\n", "", body), "") << body;
    EXPECT_EQ(runC("case", 1), "label0 ") << body;
    EXPECT_EQ(runC("case", 2), "start0 eval loop0 case7 label0 ");
}

/* A jump from after a CASE to a label inside an IF of its OTHERWISE (a
   plain block after the WHEN's branch): the goto leaves out the
   OTHERWISE's statements before the IF, so the resume passes on at the
   block's first statement, in C# and in C alike. */
TEST_F(CSharpJumps, IntoAnIfOfAnOtherwisePastItsStatements)
{
    const std::string body = R"(      int n = 0, back = 0;
      do /* A Single Iteration CASE Loop */
      {
         if ( a == 1 )
         {
            T("w1");
            break;
         }
         {
            T("other");
            if ( n == 0 )
            {
   X_Label_L1: ;
               T("label");
               n++;
            }
         }
      } while(false); /* A single iteration CASE Loop */
      if ( back == 0 ) { back = 1; goto X_Label_L1; }
      T("end" + n);
)";
    std::string mended;
    ASSERT_EQ(compile(body, &mended), "") << mended;
    EXPECT_EQ(trace(0), "other label label end2 ") << mended;
    EXPECT_EQ(trace(1), "w1 label end1 ") << mended;

    std::vector<GEN_HELD_LINE> lines = held(R"(      do
      {
         long lCase = 1;
         if ( a == lCase )
         {
            T("w1", 0);
            break;
         }
         {
            T("other", 0);
            if ( n == 0 )
            {
   X_Label_L1: ;
               T("label", n);
               n++;
            }
         }
      } while ( 0 );
      if ( back == 0 ) { back = 1; goto X_Label_L1; }
)");
    P3109_MendJumpsPastDeclarations(lines, false);
    const std::string c_body = text(lines);
    ASSERT_EQ(compileC("other", "", ", back = 0, n = 0", c_body), "") << c_body;
    EXPECT_EQ(runC("other", 0), "other0 label0 label1 ") << c_body;
    EXPECT_EQ(runC("other", 1), "w10 label0 ") << c_body;
}

/* A jump from after a CASE to a label inside a DOWHILE of its OTHERWISE:
   the OTHERWISE's statements before the loop (their prologues set the
   sequence number) are no set-up of the loop, so the resume leaves them out
   and enters the loop at the label, in C# and in C alike (seed 312 of the
   run step). */
TEST_F(CSharpJumps, IntoAWhileOfAnOtherwisePastItsStatements)
{
    const std::string body = R"(      int n = 0, back = 0, sSequence = 0;
      do /* A Single Iteration CASE Loop */
      {
         if ( a == 1 )
         {
            T("w1");
            break;
         }
         {
            sSequence = 24;
            T("other");
            n = 0;
            sSequence = 26;
            while ( n < 2 )
            {
   X_Label_M2: ;
               T("label");
               n++;
            }
         }
      } while(false); /* A single iteration CASE Loop */
      if ( back == 0 ) { back = 1; goto X_Label_M2; }
      T("end" + n + sSequence);
)";
    std::string mended;
    ASSERT_EQ(compile(body, &mended), "") << mended;
    EXPECT_EQ(trace(0), "other label label label end326 ") << mended;
    EXPECT_EQ(trace(1), "w1 label label end20 ") << mended;

    std::vector<GEN_HELD_LINE> lines = held(R"(      do
      {
         long lCase = 1;
         if ( a == lCase )
         {
            T("w1", 0);
            break;
         }
         {
            sSequence = 24;
            T("other", 0);
            n = 0;
            sSequence = 26;
            while ( n < 2 )
            {
   X_Label_M2: ;
               T("label", n);
               n++;
            }
         }
      } while ( 0 );
      if ( back == 0 ) { back = 1; goto X_Label_M2; }
      T("end", n * 100 + sSequence);
)");
    P3109_MendJumpsPastDeclarations(lines, false);
    const std::string c_body = text(lines);
    ASSERT_EQ(compileC("while", "", ", back = 0, n = 0, sSequence = 0", c_body), "") << c_body;
    EXPECT_EQ(runC("while", 0), "other0 label0 label1 label2 end326 ") << c_body;
    EXPECT_EQ(runC("while", 1), "w10 label0 label1 end200 ") << c_body;
}

/* A switch cannot be entered: its head would pick a case of its own. The
   jump is named with the number of its command. */
TEST_F(CSharpJumps, IntoASwitchRefused)
{
    std::vector<GEN_HELD_LINE> lines = held(R"(      int i = 0;
      pX_Fun.sSequence = 12;
      goto X_Label_D01;
      switch ( i )
      {
      case 0:
   X_Label_D01: ;
         T("x");
         break;
      }
)");
    const std::vector<GEN_HELD_LINE> before = lines;
    std::string refused;
    int32_t command = -1;
    EXPECT_FALSE(P3109_fMendCSharpJumps(lines, false, refused, &command));
    EXPECT_EQ(refused, "goto X_Label_D01;");
    EXPECT_EQ(command, 12);
    EXPECT_EQ(text(lines), text(before));
}

/* Jumps that C# takes as written: to a label of an enclosing block, out of
   loops, forward and back; and a text whose braces do not balance. */
TEST_F(CSharpJumps, JumpsCSharpTakesAreLeftAsTheyAre)
{
    for (const char* body : {R"(   X_Label_A01: ;
      while ( a < 3 )
      {
         do
         {
            if ( a == 1 ) goto Leave__4;
            if ( a == 2 ) goto Continue__4;
            goto X_Label_A01;
         } while(false);
   Continue__4: /* Continue Point */;
      }
   Leave__4: /* Leave Point */;
      goto X_Label_Z99;
   X_Label_Z99: ;
)",
                             R"(      {
         goto X_Label_A01;
      {
   X_Label_A01: ;
)"}) {
        std::vector<GEN_HELD_LINE> lines = held(body);
        std::string refused;
        EXPECT_TRUE(P3109_fMendCSharpJumps(lines, false, refused));
        EXPECT_EQ(text(lines), body);
    }
}

/* A routine's text from its signature: the local opens its body. */
TEST_F(CSharpJumps, RoutineLocalOpensItsBody)
{
    std::vector<GEN_HELD_LINE> lines = held(R"( 
/* ===== Subroutine Subroutine_A ===== */
private static int Subroutine_A (int a)
{
   if ( a == 1 )
   {
   X_Last_Display_0003:
      a = 2;
   }
   else
   {
      goto X_Last_Display_0003;
   }
   return 0;
}
)");
    std::string refused;
    ASSERT_TRUE(P3109_fMendCSharpJumps(lines, true, refused));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[3].text, "{");
    EXPECT_EQ(lines[4].text, "int lResumePoint = 0;");
    EXPECT_EQ(lines[4].ulIndent, 3u);
}

}  // namespace
