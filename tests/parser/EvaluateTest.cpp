#include <memory>
#include <string>
#include <vector>

#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;

class Evaluate : public EngineTest {};

TEST_F(Evaluate, PrioritiesAndAssociativity) {
  ExpectAnswers(Parser, {
      {"2+3*4", "14"},
      {"2*3+4", "10"},
      {"1+2*3^2-1", "18"},
      {"10-4-3", "3"},
      {"2^3^2", "64"},
      {"(2+3)*4", "20"},
      {"((1))", "1"},
      {"1+2*3+4*5", "27"},
      {"2*3^2*2+1", "37"},
      {"100/10/5", "2"},
      {"1-2*3^2^2+4", "-157"},
      // A level opened for + goes on through * after the ^ that opened the next.
      {"1+2^2*3", "13"},
      {"1-2^2*3+4", "-7"},
      {"10-2^3/4*2", "6"},
      {"1+2^2*3^2*2-1", "72"},
      {"1 < 2 + 2^2*0", "True"},
      {"-2^2", "4"},
      {"-2+3", "1"},
      {"3 + -2", "1"},
      {"2*-3", "-6"},
      {"not TRUE and FALSE", "False"},
      {"1 = 1", "True"},
      {"1 < 2 = TRUE", "True"},
      {"7 mod 3", "1"},
      {"7 MOD 3", "1"},
      {"2 ^ 10", "1024"},
      {"200 + 10%", "220"},
      {"(200 + 10%)", "220"},
  });
}

TEST_F(Evaluate, ErrorsCarryTheirPositions) {
  ExpectAnswers(Parser, {
      {"", "error: Позиция 1:  Неожиданный конец выражения"},
      {"   ", "error: Позиция 4:  Неожиданный конец выражения"},
  });
  TCalcValue Result;
  try {
    Parser.Evaluate("2+", Result);
    ADD_FAILURE() << "2+ evaluated";
  } catch (const EParserException& E) {
    EXPECT_EQ(testing::ToUtf8(E.Message()), "Позиция 3:  Неожиданный конец выражения");
  }
}

TEST_F(Evaluate, ErrorMessagesAndPositions) {
  ExpectAnswers(Parser, {
      {"(2+)", "error: Позиция 4:  Пустое значение!"},
      {")", "error: Позиция 1:  Неправильная скобка"},
      {"(1", "error: Позиция 2:  Неправильная скобка"},
      {"(1))", "error: Позиция 4:  Неправильная скобка"},
      {"\")\" + (1", "error: Позиция 8:  Неправильная скобка"},
      {"2 3", "error: Позиция 3:  Неизвестный формат числа или неверное выражение."},
      {"1/0", "error: Позиция 4:  Деление на ноль"},
      {"5 div 0", "error: Позиция 8:  Деление на ноль"},
      {"5 mod 0", "error: Позиция 8:  Недопустимый аргумент в операции \"mod\""},
      {"1 == 1", "error: Позиция 5:  Неизвестный оператор \"==\" или неправильный формат чисел в выражении"},
      {"7 % 3", "error: Позиция 3:  Неизвестный формат числа или неверное выражение."},
      {"2 foo 3", "error: Позиция 6:  Неизвестный оператор \"FOO\" или неправильный формат чисел в выражении"},
      {"foo", "error: Позиция 1:  Неизвестный идентификатор \"FOO\" или неправильный формат чисел в выражении"},
      {"1 + @", "error: Позиция 5:  Неизвестный формат числа или неверное выражение."},
      {"1 <", "error: Позиция 4:  Неожиданный конец выражения"},
      {"-", "error: Позиция 2:  Неожиданный конец выражения"},
      {"?1", "error: Позиция 1:  Неизвестный идентификатор \"?1\" или неправильный формат чисел в выражении"},
      {"2e3", "error: Позиция 4:  Неизвестный оператор \"E3\" или неправильный формат чисел в выражении"},
      {"1\t+ 1", "error: Позиция 2:  Неизвестный формат числа или неверное выражение."},
  });
}

// A host shows messages in its own language from what an error carries.
TEST_F(Evaluate, ErrorsCarryTheirIdentityArgumentsAndPosition) {
  struct TIdentityCase {
    const char* Expression;
    TMessageId Id;
    std::vector<std::string> Args;
    int Position;
  };
  const TIdentityCase Cases[] = {
      {"1/0", TMessageId::DivisionByZero, {}, 4},
      {"2 foo 3", TMessageId::UnknownOperator, {"FOO"}, 6},
      {"(1", TMessageId::WrongBracket, {}, 2},
      {"round(3.1; 2; 3)", TMessageId::Missing, {")"}, 13},
      {"5 mod 0", TMessageId::BadOperatorArgument, {"mod"}, 8},
      {"SQRT(-1)", TMessageId::BadFunctionArgument, {"SQRT"}, 9},
      {"std(5)", TMessageId::NotEnoughArguments, {"STD"}, 1},
      {"TRUE + 1", TMessageId::BooleanKind, {}, 9},
  };
  for (const TIdentityCase& C : Cases) {
    TCalcValue Result;
    try {
      Parser.Evaluate(testing::ToCp(C.Expression), Result);
      ADD_FAILURE() << C.Expression << " evaluated";
    } catch (const EParserException& E) {
      EXPECT_EQ(E.Id(), C.Id) << C.Expression;
      EXPECT_EQ(E.Args(), C.Args) << C.Expression;
      EXPECT_EQ(E.Position(), C.Position) << C.Expression;
      EXPECT_EQ(E.Detail(), nullptr) << C.Expression;
    }
  }
}

// An error inside a user function is explained by a line of its own; both keep their identities.
TEST_F(Evaluate, AnErrorInAUserFunctionKeepsItsOwnIdentity) {
  Calc("0");
  Parser.AddOperator(std::make_unique<TUserFunction>(
      &Parser, "Twice", 1, [](std::span<const TCalcValue> Args, TOperator&, TCalcValue& Result) {
        SetReal(Result, 2 * AsReal(Args[0]));
      }));
  EXPECT_EQ(Calc("twice(3)"), "6");
  TCalcValue Result;
  try {
    Parser.Evaluate("twice(TRUE)", Result);
    ADD_FAILURE() << "evaluated";
  } catch (const EParserException& E) {
    EXPECT_EQ(testing::ToUtf8(E.Message()),
              "Позиция 12:  Неправильное описание пользовательской функции TWICE\n\rЛогический тип неприменим");
    EXPECT_EQ(E.Id(), TMessageId::BadUserFunction);
    EXPECT_EQ(E.Args(), std::vector<std::string>{"TWICE"});
    EXPECT_EQ(E.Position(), 12);
    ASSERT_NE(E.Detail(), nullptr);
    EXPECT_EQ(E.Detail()->Id(), TMessageId::BooleanKind);
  }
}

TEST_F(Evaluate, IfEvaluatesOnlyTheChosenBranch) {
  ExpectAnswers(Parser, {
      {"IF(1<2; 10; 1/0)", "10"},
      {"IF(1>2; 1/0; 20)", "20"},
      {"if (1>2; 1; 2) * 3", "6"},
      {"IF(1; 2; 3)", "error: Позиция 6:  Целый тип неприменим"},
      // Separators inside the skipped part's brackets and strings belong to it.
      {"IF(1>2; max(1; 2); 3)", "3"},
      {"IF(1>2; \"a;b\"; \"c\")", "\"c\""},
      {"IF(1<2; \")\"; 0)", "\")\""},
      {"IF(1<2; IF(2<1; 1; 2); 3) + 10", "12"},
      {"IF(1<2 2; 3)", "error: Позиция 8:  Неизвестный формат числа или неверное выражение."},
      {"IF(1<2)", "error: Позиция 7:  \";\" отсутствует"},
      {"IF(1>2; 5)", "error: Позиция 8:  \";\" отсутствует"},
  });
}

TEST_F(Evaluate, FunctionCalls) {
  ExpectAnswers(Parser, {
      {"abs(-3)", "3"},
      {"ABS(-3)", "3"},
      {"Abs (-3)", "3"},
      {"round(3.14159; 2)", "3.14"},
      {"round(3.14159)", "error: Позиция 14:  \";\" отсутствует"},
      {"round(3.1; 2; 3)", "error: Позиция 13:  \")\" отсутствует"},
      {"SQRT(-1)", "error: Позиция 9:  Недопустимый аргумент в функции \"SQRT\""},
      {"abs", "error: Позиция 1:  Неизвестный идентификатор \"ABS\" или неправильный формат чисел в выражении"},
      {"trunc(1E20)", "error: Позиция 12:  Недопустимый аргумент в функции \"trunc\""},
      {"Int(-2.7)", "-2"},
  });
}

// Text after a list separator outside brackets belongs to no call: an error at
// the separator, in both operator sets and with either separator, while the
// separators of calls and IF keep their meaning.
TEST_F(Evaluate, TextAfterATopLevelListSeparatorIsRefused) {
  const std::string Refused = "Неизвестный формат числа или неверное выражение.";
  for (TSyntaxMode Mode : {smDefault, smC}) {
    for (char List : {';', ','}) {
      TFormatSettings S = testing::TestSettings();
      S.ListSeparator = List;
      Use(S);
      Parser.SetSyntax(Mode);
      const auto With = [List](std::string Text) {
        for (char& C : Text)
          if (C == ';') C = List;
        return Text;
      };
      ExpectAnswers(Parser, {
          {With("1;2").c_str(), ("error: Позиция 2:  " + Refused).c_str()},
          {With("1 ; 2").c_str(), ("error: Позиция 3:  " + Refused).c_str()},
          {With("max(1;2)+1").c_str(), "3"},
          {With("IF(TRUE; 3; 4)").c_str(), "3"},
          {With("max(1;2);3").c_str(), ("error: Позиция 9:  " + Refused).c_str()},
          {With("\"a;b\"").c_str(), With("\"a;b\"").c_str()},
      });
      if (List == ',') {
        EXPECT_EQ(Calc("1,000,000*3"), "error: Позиция 2:  " + Refused);
      }
    }
  }
}

TEST_F(Evaluate, TrailingOperatorCombinesTheOperandWithItself) {
  ExpectAnswers(Parser, {
      {"5*", "25"},
      {"3+", "6"},
      {"2^", "4"},
      {"10-", "0"},
      {"7/", "1"},
      {"1+2*", "9"},
      {"-", "error: Позиция 2:  Неожиданный конец выражения"},
  });
}

TEST_F(Evaluate, DeepNestingEndsInAnErrorNotACrash) {
  const std::string Deep(100000, '(');
  EXPECT_EQ(Calc(Deep + "1" + std::string(100000, ')')).substr(0, 7), "error: ");
  const std::string Fine = std::string(125, '(') + "1" + std::string(125, ')');
  EXPECT_EQ(Calc(Fine), "1");
  EXPECT_EQ(Calc(std::string(249, '-') + "1"), "-1");
  EXPECT_EQ(Calc(std::string(20000, '-') + "1").substr(0, 7), "error: ");
  EXPECT_EQ(Calc(std::string(5000, '+') + "1").substr(0, 7), "error: ");
}

TEST_F(Evaluate, StateIsRestoredAfterAnError) {
  EXPECT_EQ(Calc("1+(2*(3/0))"), "error: Позиция 10:  Деление на ноль");
  EXPECT_EQ(Parser.Depth, 0);
  EXPECT_EQ(Parser.StopDepth, 0);
  EXPECT_EQ(Parser.Position, 0);
  EXPECT_EQ(Calc("1+2*3"), "7");
}

}  // namespace
}  // namespace talvex
