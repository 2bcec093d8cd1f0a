#pragma once
// A library of routines of every argument kind for the evaluator's tests:
// interfaced and plain, functions and procedures, with and without a
// description, with a var parameter, endless and slow ones, parameter
// constants with and without limits, and plain constants.

inline constexpr const char* ToolsLibrary = R"(library My_Tools;
type TColour = (Red, Green, Blue, Cyan, Magenta);
const Greeting = 'hello';
  Level : Integer = ['Level of detail', 4, 1, 9];
function Gain(x : Real) : Real; interfaced = 'Amplifies';
const k : Real = ['Gain', 2, 0, 10];
begin Result := x * k end;
function Kinds(n : Integer; b : Boolean; c : TColour; ch : Char; s : String; r : Real) : Integer; interfaced;
const count : Integer = ['Count', 2, 0, 10]; step : Real = ['Step', 1]; ratio : Real = ['Ratio', 5, 0, 10];
  colour : TColour = ['Colour', Blue, Blue, Magenta]; name : String = ['Name', 'x'];
begin Result := n * count end;
function Pick(c : TColour) : TColour; interfaced;
const colour : TColour = ['Colour', Blue, Blue, Magenta];
begin Result := colour end;
procedure Swap(var a : Real; b : Real); interfaced = 'Exchanges'; begin end;
procedure Quiet; interfaced; begin end;
procedure Told; interfaced = 'Says'; begin Write('told') end;
function Forever(x : Real) : Real; interfaced; begin while True do Result := x end;
function Hidden(x : Real) : Real; begin Result := x end;
function Slow(x : Real) : Real; interfaced; begin Delay(0.3); Result := x end;
end.)";
