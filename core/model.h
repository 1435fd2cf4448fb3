// The global data model of Sorvan: every table and global value of the program.
//
// Access convention (all in namespace sorvan):
//   Win[w]            the window record, w = 0..100 (spectrum windows 1..100;
//                     element 0 only for ImportFormat and PrintHeaderBlock):
//                     Win[w].BackgroundState, Win[w].ParameterValue[p][j], ...
//   ImportedHeader[h] the header of an imported spectrum, h = 0..110 (used
//                     1..10 and 21..110): ImportedHeader[h].Name, ...
//   Labels[L]         the labels, L = LabelIndex(w, k) = (w - 1) * 100 + k
//   G                 every other global value and table: G.CurrentWindow, ...
// The values of the code fields (BackgroundState, WindowKind, PeakModel, ...)
// are named in core/model_codes.h. The spectrum store (SlotData, work vectors)
// is in core/store.h. Every table starts at 0 / empty / false; an index
// outside a table throws TableIndexError.
// Texts hold UTF-8 (platform/text.h): names, paths, labels and comments in
// any script.
#pragma once
#include <cstdint>
#include <string>

#include "core/model_codes.h"
#include "core/table.h"

namespace sorvan {

using Byte = std::uint8_t;
using Int16 = std::int16_t;
using Int32 = std::int32_t;
using Float32 = float;

inline constexpr int kMaxWindows = 100;        // spectrum windows 1..100
inline constexpr int kMainWindowNumber = 101;  // the main window
inline constexpr int kMaxHeaderIndex = 110;    // imported headers 0..110
inline constexpr int kMaxPeaks = 15;
inline constexpr int kPeakParameters = 10;
inline constexpr int kBackgroundTerms = 6;
inline constexpr int kMaxFitParameters = 306;  // fit parameter index 0..306
inline constexpr int kMaxLabelIndex = 10000;
inline constexpr int kToolbarActionCount = 69;

// Header of a spectrum: the window copy Win[w].SpectrumHeader and the
// imported copy ImportedHeader[h] share this layout.
struct SpectrumHeaderRecord {
  std::string Name;             // spectrum or region name, the window caption
  std::string ShortName;        // short label of members and table rows
  double StartEnergy = 0;       // kinetic energy of point 1, eV
  double EndEnergy = 0;         // kinetic energy of the last point, eV
  double ExcitationEnergy = 0;  // photon energy, eV
  double PassEnergy = 0;        // eV
  double EnergyStep = 0;        // eV between points, positive
  Int16 PointCount = 0;         // number of points (at most 32767)
  double DwellTime = 0;         // seconds per point
  double ScanCount = 0;         // counts per second = counts / (ScanCount * DwellTime)
  std::string Comment;
  std::string Technique;
  std::string Date;
  std::string SourceInfo;

  bool operator==(const SpectrumHeaderRecord&) const = default;
};

// How a window's one-shot background was made, so that a series repeats it:
// the kind (`BackgroundKind` 1..5, 0 none), the cursor pair it was computed
// between, the Shirley passes after the first, the Tougaard constant C and
// the smoothing passes the spectrum had been through before it.
struct BackgroundRecipeRecord {
  Byte Kind = 0;
  Int16 Start = 0, End = 0;
  Int16 ShirleyPasses = 0;
  double TougaardC = 0;
  Byte SmoothBefore = 0;
  // A recipe names one of the five one-shot kinds; any other kind records none.
  bool Recorded() const { return Kind >= BackgroundKindConstant && Kind <= BackgroundKindPolyShirley; }
  // The fitted background, subtracted on its page, made from the window's
  // terms A..F.
  bool Fitted() const { return Kind == BackgroundKindFitted; }
  bool operator==(const BackgroundRecipeRecord&) const = default;
};

// Everything indexed by window number. Tables of peak p (0..15), parameter
// j (0..10), background term i (0..6), member k (0..100), ... are members.
struct WindowRecord {
  // --- The window as such, its source
  bool WindowOpen = false;
  Byte WindowKind = 0;  // WindowKindCode: 0 single, 1 chemical state, 2 colour map, 3 stacked, 4 waterfall, 5 mirrored
  Int16 WindowLeft = 0, WindowTop = 0, WindowWidth = 0, WindowHeight = 0;
  std::string SourcePath;
  std::string SourceDialogName;
  Byte ImportFormat = 0;  // element 0: the file being imported
  Int16 SourceSpectrumIndex = 0;  // header index h behind the window
  std::string SourceBlockList;
  double EnergyShift = 0;
  Byte RegionPartial = 0;
  Byte DerivativeCount = 0;
  Byte SpectrumNegated = 0;
  Byte SmoothCount = 0;
  Byte ScaleMode = 0;
  Byte ArithmeticDone = 0;
  Byte TransmissionActive = 0;
  Byte BackgroundState = 0;  // BackgroundStateCode: 0 none, 1 subtracted, 2 defined, 3 preview, 4 fitted, 5 terms loaded
  Byte SatelliteState = 0;   // SatelliteStateCode: 0 none, 1 removed, 2 preview
  BackgroundRecipeRecord BackgroundRecipe;  // of the background subtracted or kept
  Byte PrintHeaderBlock = 0;
  Byte PrintFitTable = 0;
  SpectrumHeaderRecord SpectrumHeader;

  // --- Region and intensity range
  Int16 RegionStart = 0, RegionEnd = 0, RegionLength = 0;
  double IntensityMax = 0, IntensityMin = 0;
  Int16 MaxIndex = 0, MinIndex = 0;
  double MaxBindingEnergy = 0, MinBindingEnergy = 0;
  double YAxisTop = 0, YAxisBottom = 0, YAxisSpan = 0;
  Byte YRangeFixed = 0;
  double ResidualMin = 0, ResidualMax = 0;

  // --- Energy axis
  double FirstEnergy = 0, LastEnergy = 0;
  double XAxisLeft = 0, XAxisRight = 0, XAxisSpan = 0;
  Byte XRangeFixed = 0;
  double XTickCount = 0;
  double YTickCount = 0;

  // --- Axis texts and display options
  std::string XAxisTitle;
  std::string YAxisTitle;
  Byte YTitleFixed = 0;
  std::string IntensityUnit;
  std::string ResidualTitle;
  Byte ShowYScale = 0;
  Byte XGridLines = 0;
  Byte YGridLines = 0;
  Int16 WindowPlotHeight = 0;
  // The plot rectangle of the window's own last layout (left edge, width,
  // height and top spacing in pixels), so that the mouse and the labels of a
  // window are converted with its layout rather than that of the plot drawn
  // last.
  Int16 LayoutPlotLeft = 0, LayoutPlotWidth = 0, LayoutPlotHeight = 0, LayoutSpacingUnit = 0;

  // --- Label counts (the label texts and positions are in Labels[])
  Int16 AnnotationCount = 0;
  Int16 TitleLabelCount = 0;

  // --- Peak table [p 0..15][j 0..10] and fit selectors
  Table2<double, 15, 10> ParameterValue;
  Table2<double, 15, 10> ParameterLower;
  Table2<double, 15, 10> ParameterUpper;
  Table2<Int16, 15, 10> ParameterState;  // 0 free, 1 fixed, 2 linked
  Int16 PeakCount = 0;
  std::string PeakType;
  Byte PeakModel = 0;  // PeakModelCode: 0 Gauss-Lorentz, 1 Doniach-Sunjic
  Byte RelativeMode = 0;
  Byte ParamSetLoaded = 0;
  Byte HasFit = 0;

  // --- Background fitted with the peaks [i 0..6]
  Table<double, 6> BackgroundTermValue;
  Table<bool, 6> BackgroundTermFixed;

  // --- Fit results [p 0..15]
  Table<double, 15> PeakArea;
  Table<double, 15> PartnerArea;
  Table<double, 15> IntegratedArea;
  double FitChi2 = 0;
  double FitReducedChi2 = 0;
  double FitSerialCorrelation = 0;
  // The trial count that the statistics line in the caption shows last.
  double FitTrialCount = 0;
  Table<double, 17> ComponentMax;  // [k 0..17]

  // --- Error analysis
  Byte ErrorMethod = 0;  // 1 Hessian, 0 chi-square profile
  Byte ErrorsInPercent = 0;
  Byte HessianValid = 0;
  // 1 when the last curvature run found the Hessian of chi-square not
  // positive definite and took its errors from the fit's normal matrix.
  Byte ErrorsFromNormalMatrix = 0;
  Byte ErrorTableValid = 0;
  // (k, l) over fit parameters 0..306; sized by the error run that fills
  // them (empty until then), so that the model costs nothing before a run.
  CheckedMatrix<double> HessianMatrix;
  CheckedMatrix<double> ParamErrors;  // error of parameter k at (k, k)
  Table2<double, 30, 10> ParamErrorTable;  // [peak row 0..30][j 0..10]
  Table<double, 6> BackgroundTermError;
  Table<double, 15> AreaError;
  Table<double, 15> PartnerAreaError;
  Table<double, 15> AreaShareError;
  Table<double, 15> PartnerShareError;
  Table<double, 15> AreaErrorShown;
  Table<double, 15> PartnerAreaErrorShown;
  Table<double, 15> AreaShareErrorShown;
  Table<double, 15> PartnerShareErrorShown;
  Table<double, 15> AreaAtErrorRun;
  Table<double, 15> PartnerAreaAtErrorRun;
  double TotalArea = 0;

  // --- Multi-spectrum windows: members [k 0..100]
  Int16 MemberCount = 0;
  Table<double, 100> MemberWindow;
  Table<std::string, 100> MemberName;
  Table<std::string, 100> MemberLabel;
  Table<std::string, 100> MemberLabelDefault;
  double MultiPointCount = 0;
  double MultiEnergyStep = 0;
  Int16 MultiRegionStart = 0, MultiRegionEnd = 0;
  double MultiFirstEnergy = 0, MultiLastEnergy = 0;
  double MultiXLeft = 0, MultiXRight = 0, MultiXSpan = 0;
  double MultiYBottom = 0, MultiYTop = 0;
  std::string MultiYTitle;
  std::string MemberAxisTitle;
  // Copy of the first member's header
  std::string MultiSourcePath;
  double MultiStartEnergy = 0, MultiEndEnergy = 0, MultiPassEnergy = 0;
  double MultiExcitationEnergy = 0, MultiScanCount = 0, MultiDwellTime = 0;
  std::string MultiTechnique, MultiComment, MultiDate, MultiSourceInfo;
  double MultiEnergyShift = 0;
  // Display options
  double MemberLabelStep = 0;
  Byte MemberLabelStepFixed = 0;
  Byte ShowMemberLabels = 0;
  Byte ShowMaximumTrace = 0;
  Byte MembersReversed = 0;  // 1 = the member order is reversed
  Byte MultiXGridLines = 0;
  Byte MultiYGridLines = 0;
  Byte MemberGridLines = 0;

  // --- Chemical-state plot [k 0..100]
  double ChemStatePointCount = 0;
  Table<std::string, 100> ChemStateEntries;
  std::string ChemStateListName;
  double ChemStateXMin = 0, ChemStateXMax = 0;
  double ChemStateYMin = 0, ChemStateYMax = 0;
  double ChemStateXSpan = 0, ChemStateYSpan = 0;

  // --- Transmission function being determined [c 0..10]
  Table<double, 10> TransmissionCoef;
  Table<double, 10> TransmissionCoefFixed;  // -1 fixed, 0 free

  // --- X-ray satellite lines used for the window [j 0..5]
  Table<double, 5> AlSatOffset;
  Table<double, 5> AlSatIntensity;
  Table<double, 5> MgSatOffset;
  Table<double, 5> MgSatIntensity;
};

// One label slot: annotation label and title label k of window w.
struct LabelRecord {
  std::string AnnotationText;
  double AnnotationX = 0;  // energy on the window's current scale
  double AnnotationY = 0;  // intensity
  std::string TitleLabelText;
  double TitleLabelX = 0;
  double TitleLabelY = 0;
};

// The ten font tables; G holds them directly and once more as FontTableCopy.
struct FontTableSet {
  Table<std::string, 20> FontName;
  Table<Float32, 20> FontSize;
  Table<bool, 20> FontBold;
  Table<bool, 20> FontItalic;
  Table<bool, 20> FontUnderline;
  Table<bool, 20> FontStrikeout;
  Table<double, 20> FontColour;
  Table<double, 20> FontDialogText;
  Table<Int16, 20> FontCharWidth;
  Table<Int16, 20> FontLineHeight;
};

// Every global value and every table not indexed by window, label or
// header index.
struct GlobalRecord {
  // === Fixed values
  Byte MainWindowNumber = 0;  // 101 after InitialiseModel
  Byte MaxWindows = 0;        // 100
  Int16 ToolbarActionCount = 0;  // 69
  double ProgramVersion = 0;     // 2006

  // === Paths below the program folder
  std::string IniFilePath, ProgramFolder, PresettingFilePath, LanguageFilePath;
  std::string PhiNamesFilePath, ParameterSet1Path, ParameterSet2Path, SatelliteFilePath;
  std::string SensitivityFilePath, TransmissionFilePath, DoubletFilePath, SnapshotFilePath;
  std::string LinesFolder, AugerFolder;

  // === Screen measures
  Int16 ScreenWidth = 0;
  double ScreenHeight = 0;
  Int16 WorkAreaHeight = 0;
  Int16 ToolbarHeight = 0;
  Int16 CharWidth = 0;
  Int16 CharHeight = 0;

  // === Options and defaults saved in the presetting
  // A start without a presetting that can be read keeps these values; those
  // with a range start at the value the presetting reader takes for one out
  // of range, so that a presetting saved then reads back as it was written.
  Byte EnergyAxisMode = 0;  // 0 binding, 1 kinetic
  Byte CpsMode = 0;         // 0 counts, 1 counts per second
  Byte LanguageIndex = 0;
  Byte DecimalComma = 0;
  std::string ColumnSeparator;
  Byte AveragePoints = 3;  // odd, 1..19
  Byte ToolbarVisible = 0;
  Int16 ToolbarButtonSize = 24;
  Byte DefaultPeakModel = 0;
  Byte DefaultRelativeMode = 0;
  Byte DefaultErrorsInPercent = 0;
  Byte DefaultErrorMethod = 0;
  double DefaultExcitationEnergy = 0;
  Byte XGridLinesDefault = 0, YGridLinesDefault = 0;
  Byte MultiXGridLinesDefault = 0, MultiYGridLinesDefault = 0, MemberGridLinesDefault = 0;
  Int32 PlotBackColour = 0;
  double TickDirection = 0, TickSize = 0, TopTicks = 0, RightTicks = 0;
  Byte MinorTicksX = 0, MinorTicksY = 0, WaterfallGuides = 0;
  Int32 PrintBackColour = 0;
  double PrintTickDirection = 0, PrintTickSize = 0, PrintTopTicks = 0, PrintRightTicks = 0;
  Byte PrintMinorTicksX = 0, PrintMinorTicksY = 0, PrintWaterfallGuides = 0;
  Int16 DialogLeft = 0, DialogTop = 0;
  std::string DialogFontName;
  Float32 DialogFontSize = 0;
  Table<Byte, 3> DialogFontStyle;  // [0] bold, [1] italic, [2] underline, [3] strikeout
  double DialogFontDialogText = 0;
  double DialogFontColour = 0;
  std::string ImportFolder, ProjectFolder, ExportFolder;
  Byte ExportScaleOn = 0;
  Table<Byte, 7> ExportColumns;  // the seven column switches (used 1..7)
  // The column groups of the fit and error tables (used 1..6): height,
  // shape, position, width, asymmetry, background terms. Not saved.
  Table<Byte, 6> FitTableColumns;
  std::string BackgroundName;
  std::string ScaleOperationName;
  std::string ArithmeticOperationName;
  std::string FitTypeName;
  Int16 AlSatellitePreset = 1, MgSatellitePreset = 1;  // 1..5
  Byte LineFilterAll = 0, LineFilterMarked = 0, LineFilterElement = 0, LineFilterOwnFile = 0;
  std::string LineFilterSymbol;
  std::string LineFilePath, LineFileName;

  // === Settings that are not saved
  double IterationLimit = 0;  // 2.0 at start-up
  Int32 FitRounds = 0;        // 2 at start-up
  double ExportDivisor = 0;
  double ExportOffset = 0;
  Byte SeparatorChar = 0;

  // === Current window, commands
  Byte CurrentWindow = 0;
  Int16 CommandId = 0;
  Int16 DialogResult = 0;
  Int16 MessageAnswer = 0;
  Int32 InfoBoxAnswer = 0;
  Byte BatchMode = 0;
  std::string ProjectPath;

  // === Menu and toolbar state (the flags with which menu items are built,
  // enabled, grayed and checked: 0 enabled, 1 grayed, 8 checked, 0x10 popup,
  // 0x11 grayed popup)
  Int32 EditPointsItemFlag = 0, WindowItemsFlag = 0, EnergyAxisItemFlag = 0;
  Int32 IntensityAxisItemFlag = 0, MemberItemsFlag = 0, LanguagePopupFlag = 0;
  Int32 PresettingItemsFlag = 0, FileBlocksItemFlag = 0, DepthProfileItemFlag = 0;
  Int32 RevertItemFlag = 0, PasteItemFlag = 0, SatelliteItemFlag = 0;
  Int32 FitBackgroundItemFlag = 0, ErrorEstimateItemFlag = 0, ErrorMatrixItemFlag = 0;
  Int32 LineIdentificationItemFlag = 0, SpectrumItemsFlag = 0, SpectrumPopupsFlag = 0;
  Int32 DecimalPointCheckFlag = 0, DecimalCommaCheckFlag = 0, ToolbarCheckFlag = 0;
  Table<Int32, 19> MenuCheckFlags;    // the option items, see shell/menu_state.h
  Table<Int32, 28> MenuPopupHandles;  // the 28 popups, see shell/menu_bar.h
  Int32 MenuBarHandle = 0;
  Int32 EditPointsMode = 0;  // 1 while points are edited with the mouse

  // === Region picking
  Byte RegionPickState = 0;
  Int16 CursorStart = 0, CursorEnd = 0;
  Int16 BackgroundStart = 0, BackgroundEnd = 0;
  Int16 DialogCursorStart = 0, DialogCursorEnd = 0;

  // === One-shot backgrounds
  Int16 ShirleyPassCount = 0;   // Shirley passes done in the current run
  Int16 ShirleyPassTarget = 0;  // further passes asked for in the last interactive run
  double TougaardC = 0;         // eV^2, constant of the loss kernel
  double TougaardB = 0;         // scale factor of the Tougaard background
  Int16 SegmentMode = 0;        // 16 while a further background segment is being picked
  Int16 SegmentOldStart = 0, SegmentEnd = 0, SegmentOldEnd = 0;

  // === Savitzky-Golay filter and the confirm page 3x
  Byte FilterHalfWidth = 0;            // m: the filter window holds 2m + 1 points
  CheckedVector<double> FilterWeights;  // centre weights, index m + 1 + j for j = -m..m
  std::string ConfirmTitle;            // caption of page 3x: the operation's name

  // === Dialog pages
  Byte DialogWindow1Busy = 0, DialogWindow2Busy = 0, DialogWindow3Busy = 0, DialogWindow28Busy = 0;
  Byte DialogWindow17Busy = 0, ElementTablePageBusy = 0;
  Int32 TableEditorPage = 0;
  Int16 TableEntryCount = 0;   // entries of TableFields in use, blank rows included
  Int16 TableEditorRows = 0;   // rows per grid column of the element-table page shown
  Byte StyleClassIndex = 0;
  Int32 PickedColour = 0;
  std::string MaxPeaksText;
  std::string FileDialogResult;
  std::string ParameterFileName;
  std::string ParameterSetFolder;  // where the next parameter-set dialog starts; not saved

  // === Imports
  std::string ImportMode;
  Int16 SpectraReadCount = 0;
  Int16 SpectraReadSaved = 0;
  Int16 ImportedIndex = 0;
  std::string ChosenBlockList;
  Int16 ChosenBlockCount = 0;
  Int16 BlockCount = 0;
  Int16 VamasBlockCount = 0, SpxRegionCount = 0, SdpBlockCount = 0;
  Int16 DepthLevelCount = 0;  // depth levels of each region of the last SPX depth profile
  std::string SourceFilePath;
  std::string NumberedFilePath;

  // === Energies
  double GlobalEnergyOffset = 0;
  double ReferenceEnergy = 0;  // total correction shown when the energy page opened

  // === Scale, shift and normalise page
  double ScaleDivisor = 0;      // v shown after "1 / "; 1/v (or 1) once applied
  double ScaleFactor = 0;       // the factor applied last
  double ScaleOffset = 0;       // added after scaling
  double ScaleOffsetInput = 0;  // the number last typed as offset
  double MultiViewEnergyOffset = 0;

  // === Series, reports and two-window commands
  Int16 ChosenWindowCount = 0;
  Byte ExcludedWindow = 0;
  Byte SeriesTemplateWindow = 0;
  Byte SeriesStep = 0;
  Byte SeriesSourceWindow = 0;
  Byte SeriesTargetWindow = 0;  // the window a series step processes (never a shared loop counter)
  Byte OtherWindow = 0;
  Byte PrintSecondWindow = 0;

  // === Fit and error runs
  Byte FitRunState = 0;  // 1 running, 26 stop requested
  // The first failure of a step inside a batch run (a series, an error
  // analysis): the message code (0 none) and the line saying what failed.
  // The run ends at it and reports it once (core/messages.h).
  Int16 RunFailureCode = 0;
  std::string RunFailureDetail;
  Byte CollectRunFailures = 0;  // 1 while a batch run keeps its failures
  // Set while a series or an error analysis runs: the menu bar and the
  // toolbar start no command meanwhile.
  Byte LongRunActive = 0;
  Byte FitKey = 0;       // 27 = Esc
  Byte ProgressKey = 0;  // 27 = Cancel on the progress page
  Byte ErrorRunState = 0;
  double ProgressValue = 0;
  Int16 FitPeakCount = 0;
  double ComponentCount = 0;
  Byte FitDisplayPass = 0;
  double FitIteration = 0, FitRound = 0;
  double ChiSquare = 0, ReducedChiSquare = 0, ResidualCorrelation = 0;
  // Levenberg-Marquardt state of the running fit
  double FitDamping = 0, TrialReducedChi2 = 0, AcceptedReducedChi2 = 0, ConvergedCount = 0;
  double PackedSize = 0;
  double ParameterSetVersion = 0;

  // === Fit arrays, sized by the fit set-up for the window being fitted
  CheckedVector<double> FitVector;
  CheckedVector<double> ParameterScale;
  CheckedVector<double> FitLowerLimits;
  CheckedVector<double> FitUpperLimits;
  CheckedVector<double> FitDerivatives;
  CheckedVector<double> FitGradient;
  CheckedVector<double> FitStep;
  CheckedVector<double> NormalMatrix;  // packed lower triangle, 0..PackedSize
  CheckedVector<double> NormalMatrixSaved;
  CheckedVector<double> NormalMatrixCopy;
  CheckedVector<double> PeakAreaSums;
  CheckedVector<double> PartnerAreaSums;
  CheckedMatrix<double> PeakCurves;  // (peak, channel)
  CheckedMatrix<double> Jacobian;    // (variable, channel)
  // Cancel copies of the start-value pages
  Table<double, 300> FitVectorCopy;
  Table<double, 300> FitScaleCopy;

  // === Tick tables of the window being drawn [t 0..100]
  Table<double, 100> XTickPixel;
  Table<double, 100> YTickPixel;
  Table<std::string, 100> XTickText;
  Table<std::string, 100> YTickText;
  Table<std::string, 100> ThirdTickText;
  // Label pixel positions of the window being redrawn [k 0..100]
  Table<double, 100> AnnotationPixelX, AnnotationPixelY;
  Table<double, 100> TitleLabelPixelX, TitleLabelPixelY;
  // Pixel tables of the curve being drawn, sized by the drawing routines.
  // 32-bit, so that points far outside the plot keep their side instead of
  // wrapping around.
  CheckedVector<Int32> CurveX;
  CheckedVector<Int32> CurveY;

  // === Multi-spectrum window-texts page
  Table<std::string, 100> MemberNameEdit;

  // === Transmission function
  Table<double, 10> TransmissionCoefCopy;
  Table<double, 10> TransmissionFixedCopy;
  Table<double, 10> QuantTransmissionCoef;
  Table<double, 1361> TransmissionCurve;  // T(E) at E = i + 199 eV
  Table<double, 20> ReferenceLinePercent;
  // 1: the coefficient page scales the coefficients so that T(1000 eV) = 1.
  Byte NormaliseTransmission = 0;

  // === Quantification [i chosen position][p peak]
  Table<double, 100> ChosenWindows;
  // The windows of the last quantification, taken from the window choice
  // that started it: a later choice of windows for another command leaves
  // the quantification's rows (and their printout) as they were.
  Table<double, 100> QuantWindows;
  Int16 QuantWindowCount = 0;
  Table2<std::string, 100, 15> QuantLineName;
  Table2<double, 1000, 15> QuantKineticEnergy;
  Table2<double, 1000, 15> QuantEnergyVar;
  Table2<double, 100, 15> QuantSigma;
  Table2<double, 100, 15> QuantLambda;
  Table2<double, 100, 15> QuantTransmission;
  Table2<double, 100, 15> QuantFactor;
  Table2<double, 100, 15> QuantNormalisedArea;
  Table2<double, 100, 15> QuantPercent;
  // The sum of the normalised areas of the rows that have a factor; 0 means
  // that no percentage could be formed (they are then shown as "- - -").
  double QuantNormalisedSum = 0;

  // === X-ray satellite presets [j line 0..5][s preset 0..5]
  Table2<double, 5, 5> AlSatOffsetPresets;
  Table2<double, 5, 5> AlSatIntensityPresets;
  Table2<double, 5, 5> MgSatOffsetPresets;
  Table2<double, 5, 5> MgSatIntensityPresets;

  // === Reference tables
  Table<std::string, 434> PhiNameCode;
  Table<std::string, 434> PhiNameText;
  Table<std::string, 1000> LinePositions;
  Table<std::string, 1000> LineList;
  // Sized by their readers: 0..DoubletCount and 0..SensitivityCount
  CheckedVector<std::string> DoubletNames;
  CheckedVector<double> DoubletRatios;
  CheckedVector<double> DoubletSplittings;
  CheckedVector<std::string> SensitivityLines;
  CheckedVector<double> SensitivityFactors;

  // === Styles [kind 0..20; printer setting at kind + 10]
  Table<Int32, 20> CurveStyles;
  Table<double, 20> CurveWidths;
  Table<Int32, 20> CurveColours;
  Table<double, 20> LineWidths;
  Table<double, 20> LineColours;
  Table<double, 20> LineStyles;
  Table<Int32, 20> CurveStylesCopy;
  Table<double, 20> CurveWidthsCopy;
  Table<Int32, 20> CurveColoursCopy;
  Table<double, 20> LineWidthsCopy;
  Table<double, 20> LineColoursCopy;
  Table<double, 20> LineStylesCopy;

  // === Fonts of the plot texts [class 0..20; printer setting at class + 10]
  Table<std::string, 20> FontName;
  Table<Float32, 20> FontSize;
  Table<bool, 20> FontBold;
  Table<bool, 20> FontItalic;
  Table<bool, 20> FontUnderline;
  Table<bool, 20> FontStrikeout;
  Table<double, 20> FontColour;
  Table<double, 20> FontDialogText;
  Table<Int16, 20> FontCharWidth;
  Table<Int16, 20> FontLineHeight;
  FontTableSet FontTableCopy;  // cancel copy of the text-style page

  // === Toolbar [action or button 0..100]
  Table<Byte, 100> ToolbarButtonOfAction;
  Table<std::string, 100> ToolbarActionText;
  Table<std::string, 100> ToolbarTooltip;

  // === Language texts (used from 1)
  Table<std::string, 90> MenuTexts;
  Table<std::string, 20> ButtonTexts;
  Table<std::string, 129> MessageTexts;
  Table<std::string, 20> CaptionTexts;
  Table<std::string, 220> LabelTexts;
  std::string BindingEnergyTitle;
  std::string KineticEnergyTitle;
  std::string CountsTitle;
  std::string CpsTitle;
  std::string ReadoutPrefix;

  // === Dialog work tables
  Table<std::string, 10000> TableFields;
  Table<std::string, 6> FileDialogFilter;
  Table<std::string, 100> ExportLines;
  Table<std::string, 9> BlockNames;
  Table<std::string, 100> PointCountChoices;
  Table<Int16, 720> ChosenBlocks;
  Table<Int16, 9> ChosenDepthBlocks;

  // === Mouse and picks
  Int32 MouseX = 0, MouseY = 0;
  Int32 MouseButtons = 0;
  double CursorEnergy = 0;
  double CursorChannel = 0;
  double CursorIntensity = 0;
  double MouseIntensity = 0;
  double PickedHeight = 0;
  Int16 PickedChannel = 0;
  double PickedEnergy = 0;
  Byte PendingLabelWindow = 0;
  Int16 PendingLabelIndex = 0;
  Byte PendingTitleWindow = 0;
  Int16 PendingTitleIndex = 0;
  Byte PickToScalePage = 0;
  Byte PeakStartPickActive = 0;
  Byte DoubletStartPickActive = 0;
  Byte LinePickActive = 0;
  Int16 RowIndex = 0;
  double CurrentDoubletRatio = 0, CurrentDoubletSplitting = 0;
  std::string StatusText;

  // === Geometry of the plot drawn last
  Int16 PlotLeft = 0, PlotRight = 0, PlotWidth = 0, PlotHeight = 0;
  Int16 AxisY = 0;
  double FirstPointX = 0;
  double PixelsPerEnergy = 0, PixelsPerIntensity = 0;
  Int16 SpacingUnit = 0;
  Int16 ResidualTop = 0, ResidualBottom = 0;
  double ResidualScale = 0;
  Int16 LineX1 = 0, LineY1 = 0, LineX2 = 0, LineY2 = 0;
  Int16 LayoutHeight = 0;
  Byte Redrawing = 0;
  Int32 FrameColour = 0;

  // === Counts and sources of the reference tables
  Int16 LineTableCount = 0;
  Int16 ListEntryCount = 0;
  Int16 SensitivityCount = 0;
  std::string SensitivitySource, SensitivityName;
  Int16 DoubletCount = 0;
  std::string TransmissionSource;

  // === Text buffers
  std::string LineBuffer;
  std::string NumberText, NumberText2, NumberText3, NumberText4;
  std::string CaptionBuffer;
  std::string ActionTextBuffer;
  Int16 TextLength = 0, TextPosition = 0;

  // === Loop counters and scratch numbers (shared working storage)
  Int16 LoopIndex = 0, LoopIndexB = 0, LoopIndexC = 0, LoopIndexD = 0, LoopIndexE = 0,
        LoopIndexF = 0;
  Byte WindowLoop = 0, WindowLoopB = 0, WindowLoopC = 0, ByteLoop = 0;
  double Scratch1 = 0, Scratch2 = 0, Scratch3 = 0, Scratch4 = 0, Scratch5 = 0;
};

extern Table<WindowRecord, 100> Win;
extern Table<SpectrumHeaderRecord, 110> ImportedHeader;
extern Table<LabelRecord, 10000> Labels;
extern GlobalRecord G;

// Label k (1..100) of window w (1..100) is Labels[LabelIndex(w, k)].
constexpr int LabelIndex(int w, int k) { return (w - 1) * 100 + k; }

// True for a spectrum window number 1..100.
constexpr bool IsSpectrumWindow(long long w) { return w >= 1 && w <= kMaxWindows; }
// Window w's peak count held to the 1..15 peaks its tables and pages hold.
inline int HeldPeakCount(int w) {
  const int n = Win[w].PeakCount;
  return n < 1 ? 1 : (n > 15 ? 15 : n);
}

// Creates every table anew with all elements 0, empty or false and sets the
// fixed values; empties the spectrum store. Start-up calls it first.
void InitialiseModel();
// The same for the first start of a process, before anything has used the
// model: the tables are still as the process constructed them, all cleared,
// so only the fixed values are set and the spectrum store emptied. Once the
// model has been initialised in the process it clears everything as
// InitialiseModel does.
void InitialiseFreshModel();

// Gives windows 1..100 their start-up values from the global defaults
// (presetting, language texts and satellite presets must be read before),
// then imported header 1 its values ("Test", pass energy 10, dwell time 1,
// scan count 1).
void ApplyWindowStartupValues();
// The start-up values of one window; nothing for w outside 1..100.
void ApplyWindowStartupValuesTo(int w);

// The start-up values of the global scalars that start-up sets after the
// presetting: CurrentWindow 1, FitPeakCount 1, IterationLimit 2, FitRounds 2,
// DefaultExcitationEnergy 1486.6 when the presetting left it 0, and the
// pick, project and run states cleared.
void ApplyGlobalStartupValues();

// The energy-axis and intensity-axis titles for the current EnergyAxisMode
// and CpsMode.
const std::string& CurrentXAxisTitle();
const std::string& CurrentYAxisTitle();

// Copies satellite preset s (1..5) of the aluminium or magnesium anode into
// the satellite lines j = 1..5 of windows 1..100.
void ApplyAlSatellitePreset(int s);
void ApplyMgSatellitePreset(int s);

}  // namespace sorvan
