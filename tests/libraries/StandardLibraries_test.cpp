#include "libraries/StandardLibraries.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/NodeWalk.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"

namespace {

// The headers the standard libraries declare, written as a script would
// write them, in the order the catalogues register them.
struct THeaderRow {
  const char* Library;
  const char* Name;  // a routine, or a named routine type
  const char* Header;
};

const THeaderRow NamedTypes[] = {
    {"System", "TProcedure", "procedure"},
    {"System", "TNotifyEvent", "procedure ( Sender : TObject )"},
    {"System", "TMouseButtonEvent",
     "procedure (Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)"},
    {"System", "TMouseMoveEvent", "procedure (Sender: TObject; Shift: TShiftState; X, Y: Integer)"},
    {"System", "TKeyUpDownEvent", "procedure (Sender: TObject; var Key: Word; Shift: TShiftState)"},
    {"System", "TKeyPressEvent", "procedure (Sender: TObject; var Key: Char)"},
    {"System", "TMeshFunc", "function ( x, y : real ) : real"},
    {"Math", "TMathFunc", "function ( x : real ) : real"},
    {"Math", "TDiffFunc", "procedure ( Y : Vector; X : Real; var DY : Vector )"},
    {"Math", "TVecFunc", "function ( V : Vector ) : Real"},
};

const THeaderRow Routines[] = {
    {"System", "Inc", "procedure ( var a : integer; n : integer = 1 )"},
    {"System", "Dec", "procedure ( var a : integer; n : integer = 1 )"},
    {"System", "Length", "function ( a : AnyArray ) : integer"},
    {"System", "High", "function ( a : AnyArray ) : integer"},
    {"System", "Low", "function ( a : AnyArray ) : integer"},
    {"System", "SetLength", "procedure ( var a : AnyArray; n : integer; m : integer = -1 )"},
    {"System", "Write", "procedure( a : Anything )"},
    {"System", "Show", "procedure( a : Anything )"},
    {"System", "ShowMat",
     "procedure ( M : Matrix; Labels : Boolean = TRUE; Mantissa : integer = 5; Exponent : integer = 1 )"},
    {"System", "ShowVec",
     "procedure ( V : Vector; Labels : Boolean = TRUE; Mantissa : integer = 5; Exponent : integer = 1 )"},
    {"System", "Str", "function( a : Anything ) : string"},
    {"System", "StrX", "function( a : Anything ) : string"},
    {"System", "Bin", "function( N : integer ) : string"},
    {"System", "Hex", "function( N : integer ) : string"},
    {"System", "SysTime", "function : real"},
    {"System", "Random", "function : real"},
    {"System", "IsInf", "function ( V : Real ) : Boolean"},
    {"System", "RGB", "function( r, g, b : integer ) : integer"},
    {"System", "Assigned", "function( var a : AnyFunction ) : boolean"},
    {"System", "Error", "procedure( Message : string )"},
    {"System", "Info", "procedure( Message : string )"},
    {"System", "Warning", "procedure( Message : string )"},
    {"System", "Splitter", "procedure( Message : string )"},
    {"System", "Fatal", "procedure( Message : string )"},
    {"System", "Round", "function ( x : real ) : integer"},
    {"System", "Trunc", "function ( x : real ) : integer"},
    {"System", "Ceil", "function ( x : real ) : integer"},
    {"System", "Floor", "function ( x : real ) : integer"},
    {"System", "Min", "function ( x, y : real ) : real"},
    {"System", "Max", "function ( x, y : real ) : real"},
    {"System", "RandGauss", "function ( Mu : real = 0; Sigma : real = 1 ) : real"},
    {"System", "MinInt", "function ( x, y : integer ) : integer"},
    {"System", "MaxInt", "function ( x, y : integer ) : integer"},
    {"System", "Chr", "function ( x : integer ) : char"},
    {"System", "Ord", "function ( x : char ) : integer"},
    {"System", "Copy", "function ( s : string; index, count : integer ) : string"},
    {"System", "CmpStr", "function( Str1, Str2 : string; CaseSens : boolean = false ) : boolean"},
    {"System", "SplitStr", "function( Text : string; Start : boolean = false ) : string"},
    {"System", "StrToReal", "function( Text : string; var R : Real ) : Boolean"},
    {"System", "StrToInt", "function( Text : string; var N : Integer ) : Boolean"},
    {"System", "Delay", "procedure( Time : Real )"},
    {"System", "Apply", "procedure( var F : AnyFunction; var A : AnyArray )"},
    {"System", "ToWorkspace", "function ( Name : string; A : Anything ) : boolean"},
    {"System", "InputString", "function ( Label, Default : string ) : string"},
    {"System", "InputInteger", "function ( Label : string; Default : integer ) : integer"},
    {"System", "InputReal", "function ( Label : string; Default : real ) : real"},
    {"System", "ShowMessage",
     "function ( Caption, Text : string; Dialog : TMsgType = mtCustom; Buttons : TMsgButtons = mbsOK ) : TMsgButton"},
    {"_SysMath", "_EV1201", "function ( M : Matrix; var RV : Vector; var IV : Vector ) : boolean"},
    {"_SysMath", "_LS1201", "function ( a : Matrix; b : Vector ) : Vector"},
    {"_SysMath", "_CV01", "function ( V : Vector; S, D : Integer; A : Real ) : Real"},
    {"_SysMath", "_CV02", "function ( V, C : Vector; S, D : Integer; A : Real ) : Real"},
    {"InOut", "Open", "function ( Params : string; Mode : TOpenMode  ) : integer"},
    {"InOut", "Close", "procedure ( n : integer )"},
    {"InOut", "WriteVar", "function ( Handle : integer; V : Anything ) : boolean"},
    {"InOut", "ReadVar", "function ( Handle : integer; var V : Anything ) : boolean"},
    {"InOut", "WriteChar", "function ( Handle : integer; C : char ) : boolean"},
    {"InOut", "ReadChar", "function ( Handle : integer; var C : char ) : boolean"},
    {"InOut", "WriteByte", "function ( Handle : integer; N : integer ) : boolean"},
    {"InOut", "ReadByte", "function ( Handle : integer; var N : integer ) : boolean"},
    {"InOut", "WriteStr", "function ( Handle : integer; S : string; UseETX : boolean = TRUE ) : boolean"},
    {"InOut", "ReadStr", "function ( Handle : integer; var S : string; UseETX : boolean = TRUE ) : boolean"},
    {"InOut", "WriteVector", "function ( Handle : integer; V : Vector ) : boolean"},
    {"InOut", "WriteVecCSV", "function ( Handle : integer; V : Vector ) : boolean"},
    {"InOut", "ReadVector", "function ( Handle : integer; var V : Vector ) : boolean"},
    {"InOut", "ReadVecCSV", "function ( Handle : integer; var V : Vector ) : boolean"},
    {"InOut", "WriteMatCSV", "function ( Handle : integer; M : Matrix ) : boolean"},
    {"InOut", "ReadMatCSV", "function ( Handle : integer; var M : Matrix ) : boolean"},
    {"Math", "Sqrt", "function ( x : real ) : real"},
    {"Math", "Sqr", "function ( x : real ) : real"},
    {"Math", "Sin", "function ( x : real ) : real"},
    {"Math", "Cos", "function ( x : real ) : real"},
    {"Math", "Exp", "function ( x : real ) : real"},
    {"Math", "Tan", "function ( x : real ) : real"},
    {"Math", "Tanh", "function ( x : real ) : real"},
    {"Math", "ArcCos", "function ( x : real ) : real"},
    {"Math", "ArcCosh", "function ( x : real ) : real"},
    {"Math", "ArcCot", "function ( x : real ) : real"},
    {"Math", "ArcCoth", "function ( x : real ) : real"},
    {"Math", "ArcSin", "function ( x : real ) : real"},
    {"Math", "ArcSinh", "function ( x : real ) : real"},
    {"Math", "ArcTan", "function ( x : real ) : real"},
    {"Math", "ArcTanh", "function ( x : real ) : real"},
    {"Math", "Cosh", "function ( x : real ) : real"},
    {"Math", "Cotan", "function ( x : real ) : real"},
    {"Math", "Coth", "function ( x : real ) : real"},
    {"Math", "Abs", "function ( x : real ) : real"},
    {"Math", "Frac", "function ( x : real ) : real"},
    {"Math", "Ln", "function ( x : real ) : real"},
    {"Math", "Log10", "function ( x : real ) : real"},
    {"Math", "Log2", "function ( x : real ) : real"},
    {"Math", "Sinh", "function ( x : real ) : real"},
    {"Math", "Gamma", "function ( x : real ) : real"},
    {"Math", "ArcTan2", "function ( x, y : real ) : real"},
    {"Math", "Hypot", "function ( x, y : real ) : real"},
    {"Math", "Log", "function ( x, y : real ) : real"},
    {"Math", "AbsI", "function ( x : integer ) : integer"},
    {"Math", "Factorial", "function ( x : integer ) : integer"},
    {"Math", "GCD", "function ( x, y : integer ) : integer"},
    {"Math", "Sum", "function ( var F : TMathFunc; Range : Vector ) : real"},
    {"Math", "Prod", "function ( var F : TMathFunc; Range : Vector ) : real"},
    {"Math", "Integrate", "function ( F : TMathFunc; x1, x2 : Real ) : Real"},
    {"Math", "DSolve", "function ( DF : TDiffFunc; Y0 : Vector; x1, x2 : Real; h : Real = -1 ) : Matrix"},
    {"Math", "Cross", "function ( V1, V2 : Vector ) : Vector"},
    {"Math", "Join", "function ( V1, V2 : Vector ) : Vector"},
    {"Math", "Convolution", "function ( V1, V2 : Vector ) : Vector"},
    {"Math", "Covariance", "function ( V1, V2 : Vector ) : Vector"},
    {"Math", "Correlation", "function ( V1, V2 : Vector ) : Vector"},
    {"Math", "Magnitude", "function ( V : Vector ) : Real"},
    {"Math", "Mean", "function ( V : Vector ) : Real"},
    {"Math", "Variance", "function ( V : Vector ) : Real"},
    {"Math", "StDev", "function ( V : Vector ) : Real"},
    {"Math", "RMS", "function ( V : Vector ) : Real"},
    {"Math", "MaxVec", "function ( V : Vector ) : Real"},
    {"Math", "MinVec", "function ( V : Vector ) : Real"},
    {"Math", "VecSum", "function ( V : Vector ) : Real"},
    {"Math", "GoldenSearch", "function ( F : TMathFunc; Params : Vector ) : Vector"},
    {"Math", "SimplexSearch", "function ( F : TVecFunc; X0, Params : Vector ) : Vector"},
    {"Math", "SimAnnealing", "function ( F : TVecFunc; X0, Xmin, Xmax, Params : Vector ) : Vector"},
    {"Math", "PartVec", "function ( V : Vector; Nmin, Nmax : Integer ) : Vector"},
    {"Math", "PartMat", "function ( M : Matrix; Rmin, Rmax, Cmin, Cmax : Integer ) : Matrix"},
    {"Math", "Normalize", "function ( V : Vector ) : Vector"},
    {"Math", "SortVec", "function ( V : Vector ) : Vector"},
    {"Math", "AutoCovariance", "function ( V : Vector ) : Vector"},
    {"Math", "AutoCorrelation", "function ( V : Vector ) : Vector"},
    {"Math", "FFT", "function ( V : Vector ) : Vector"},
    {"Math", "InverseFFT", "function ( V : Vector ) : Vector"},
    {"Math", "Append", "function ( V : Vector; R : Real ) : Vector"},
    {"Math", "Trace", "function ( M : Matrix ) : Real"},
    {"Math", "Det", "function ( M : Matrix ) : Real"},
    {"Math", "MinMat", "function ( M : Matrix ) : Real"},
    {"Math", "MaxMat", "function ( M : Matrix ) : Real"},
    {"Math", "Transpose", "function ( M : Matrix ) : Matrix"},
    {"Math", "Inverse", "function ( M : Matrix ) : Matrix"},
    {"Math", "MatIdentity", "function ( Rows : Integer; Cols : Integer = -1 ) : Matrix"},
    {"Math", "MatZero", "function ( Rows : Integer; Cols : Integer = -1 ) : Matrix"},
    {"Math", "LinearSolve", "function ( A : Matrix; B : Vector ) : Vector"},
    {"Math", "Column", "function ( var M : Matrix; N : integer ) : Vector"},
    {"Math", "DelCol", "procedure ( var M : Matrix; N1 : integer; N2 : integer = -1 )"},
    {"Math", "DelRow", "procedure ( var M : Matrix; N1 : integer; N2 : integer = -1 )"},
    {"Math", "MakeVec", "function ( Size : integer; Value : real = 0 ) : Vector"},
    {"SysPlots", "Plot",
     "procedure ( F : TMathFunc; X : Vector; Append : boolean = FALSE; Style : TPlotStyle = psLine; Axes : TAxesType = "
     "atLinear )"},
    {"SysPlots", "PlotParam",
     "procedure ( FX, FY : TMathFunc; T : Vector; Append : boolean = FALSE; Style : TPlotStyle = psLine; Axes : "
     "TAxesType = atLinear )"},
    {"SysPlots", "PlotParam3D",
     "procedure ( FX, FY, FZ : TMathFunc; T : Vector; Append : boolean = FALSE; Style : TPlotStyle = psLine )"},
    {"SysPlots", "PlotData",
     "procedure ( X, Y : Vector; Append : boolean = FALSE; Style : TPlotStyle = psCircle; Axes : TAxesType = "
     "atLinear )"},
    {"SysPlots", "PlotData3D",
     "procedure ( X, Y, Z : Vector; Append : boolean = FALSE; Style : TPlotStyle = psCircle )"},
    {"SysPlots", "PlotErrors",
     "procedure ( X, Y, Z : Vector; Append : boolean = FALSE; Style : TPlotStyle = psCircle )"},
    {"SysPlots", "Plot3D",
     "procedure ( F : TMeshFunc; X, Y : Vector; Append : boolean = FALSE; Style : TMeshStyle = msSurface )"},
    {"SysPlots", "PlotMesh",
     "procedure ( M : Matrix; X, Y : Vector; Append : boolean = FALSE; Style : TMeshStyle = msSurface )"},
    {"SysPlots", "PlotField",
     "procedure ( X, Y, VX, VY : Vector; Append : boolean = FALSE; Axes : TAxesType = atLinear )"},
    {"SysPlots", "PlotField3D", "procedure ( X, Y, Z, VX, VY, VZ : Vector; Append : boolean = FALSE )"},
    {"SysPlots", "PlotShape", "procedure ( var V, F : Matrix; Append : boolean = FALSE )"},
};

constexpr const char* BuiltInLibraries[] = {"System", "_SysMath", "InOut", "Math", "SysPlots"};

// The parameter names of a header in the spelling it gives them: each
// identifier followed by "," or ":" inside the parentheses.
std::vector<std::string> ParameterNames(const std::string& header) {
  std::vector<std::string> names;
  std::string word;
  bool wordEnded = false;
  bool inside = false;
  for (char c : header) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
      if (wordEnded) word.clear();
      wordEnded = false;
      word += c;
      continue;
    }
    wordEnded = true;
    if (c == ' ') continue;
    if (c == '(') inside = true;
    if (c == ')') inside = false;
    if (!word.empty() && inside && (c == ',' || c == ':')) names.push_back(word);
    word.clear();
  }
  return names;
}

std::vector<std::string> ParameterNames(const TFuncKind& signature) {
  std::vector<std::string> names;
  for (int i = 0; i < signature.ArgCount(); ++i) names.push_back(signature.Arg(i)->Name());
  return names;
}

class StandardLibraries : public ::testing::Test {
protected:
  // Compiling a header interns it: the kind registered for the same
  // structure (names, kinds, passing, defaults and result) comes back, so
  // the catalogue's kind is the one the header describes only when both are
  // the very same object. Names compare without case there; the spelling a
  // kind prints is that of the first header that made it.
  void ExpectBuiltFrom(const TFuncKind* built, const THeaderRow& row) {
    TFuncKind* compiled = Engine.ParseSignature(row.Header, std::string());
    ASSERT_NE(compiled, nullptr) << row.Header;
    EXPECT_EQ(compiled, built) << row.Name << ": " << row.Header << " built as "
                               << (built ? built->GetText(false) : std::string("nil"));
    auto first = firstHeaders_.emplace(compiled, row.Header).first;
    EXPECT_EQ(ParameterNames(*compiled), ParameterNames(first->second)) << row.Name;
  }

  TXBuilder Engine{StandardCatalogues()};

private:
  std::map<const TFuncKind*, std::string> firstHeaders_;
};

}  // namespace

TEST_F(StandardLibraries, RoutineKindsAreThoseTheirHeadersDescribe) {
  for (const THeaderRow& row : NamedTypes) {
    TKind* kind = Engine.Kinds().FindKind(row.Name);
    ASSERT_NE(kind, nullptr) << row.Name;
    EXPECT_EQ(kind->Name(), row.Name) << "a type prints under the first name its structure got";
    EXPECT_EQ(kind->Lib()->Name(), row.Library) << row.Name;
    ASSERT_EQ(kind->Code(), kcFunction) << row.Name;
    ExpectBuiltFrom(static_cast<TFuncKind*>(kind), row);
  }
  for (const THeaderRow& row : Routines) {
    TFunc* routine = Engine.Funcs().Find(row.Name);
    ASSERT_NE(routine, nullptr) << row.Name;
    EXPECT_EQ(routine->Lib()->Name(), row.Library) << row.Name;
    ExpectBuiltFrom(routine->Signature(), row);
  }
  ExpectBuiltFrom(static_cast<TFuncKind*>(Engine.FindVariable("nil")->Kind()),
                  {"System", "nil", "function : AnyFunction"});
}

TEST_F(StandardLibraries, EveryBuiltInRoutineHasItsHeaderInTheTable) {
  std::set<std::string> listed;
  for (const THeaderRow& row : Routines) listed.insert(row.Name);
  const std::set<std::string> libraries(std::begin(BuiltInLibraries), std::end(BuiltInLibraries));
  ForEachNode(Engine.Funcs(), [&](THashNode* node) {
    auto* routine = static_cast<TFunc*>(node);
    if (libraries.count(routine->Lib()->Name())) {
      EXPECT_TRUE(listed.count(routine->Name())) << routine->Name();
    }
  });
}

TEST_F(StandardLibraries, ComeInOrderWithTheirRoutines) {
  std::vector<std::string> order;
  for (int i = 0; i < Engine.Libs().Count(); ++i) order.push_back(Engine.Libs().Get(i)->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"System", "_SysMath", "InOut", "Math", "SysPlots", "Workspace"}));
  int plotRoutines = 0;
  ForEachNode(Engine.Funcs(), [&](THashNode* node) { plotRoutines += node->Lib()->Name() == "SysPlots"; });
  EXPECT_EQ(plotRoutines, 11);
}

TEST(HeaderParameterNames, AreTheIdentifiersBeforeCommaOrColonInsideParentheses) {
  EXPECT_EQ(ParameterNames("function ( Caption, Text : string; Dialog : TMsgType = mtCustom ) : TMsgButton"),
            (std::vector<std::string>{"Caption", "Text", "Dialog"}));
  EXPECT_EQ(ParameterNames("procedure (Sender: TObject; var Key: Word; X, Y: Integer)"),
            (std::vector<std::string>{"Sender", "Key", "X", "Y"}));
  EXPECT_TRUE(ParameterNames("function : real").empty());
}

// The named types of the standard libraries all belong to System.
TEST_F(StandardLibraries, NamedTypesAreSystemsWithTheirStructure) {
  const struct {
    const char* Name;
    const char* Structure;
  } types[] = {
      {"Vector", "Array of Real"},
      {"Matrix", "Array of Vector"},
      {"TShiftState", "Set of ( ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble )"},
      {"TMouseButton", "( mbLeft, mbRight, mbMiddle )"},
      {"TMsgType", "( mtWarning, mtError, mtInformation, mtConfirmation, mtCustom )"},
      {"TMsgButton", "( mbAbort, mbCancel, mbContinue, mbIgnore, mbNo, mbOK, mbRetry, mbTryAgain, mbYes )"},
      {"TMsgButtons",
       "( mbsAbortRetryIgnore, mbsCancelTryContinue, mbsOK, mbsOkCancel, mbsRetryCancel, mbsYesNo, mbsYesNoCancel )"},
      {"TOpenMode", "( omRead, omWrite )"},
      {"TPlotStyle", "( psLine, psDashed, psDotted, psCross, psCircle, psSquare, psDiamond, psStem, psWall, psBar )"},
      {"TMeshStyle", "( msSurface, msScatter, msHeights, msContour )"},
      {"TAxesType", "( atLinear, atLinearLog, atLogLinear, atLogLog, atPolar )"},
  };
  for (const auto& type : types) {
    TKind* kind = Engine.Kinds().FindKind(type.Name);
    ASSERT_NE(kind, nullptr) << type.Name;
    EXPECT_EQ(kind->Name(), type.Name);
    EXPECT_EQ(kind->Lib()->Name(), "System") << type.Name;
    EXPECT_EQ(kind->GetText(false), type.Structure) << type.Name;
  }
}
