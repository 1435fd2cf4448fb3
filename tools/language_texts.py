#!/usr/bin/env python3
"""Every text of the user interface in German, English and Spanish.

Running this script writes data/settings/language 2006.set, the file from which
the program takes nearly all words it shows. Edit the tables below and run it
again; the output is committed so that neither a build nor a user needs Python.

File layout (read field by field; a field ends at a comma or a line end):
header, the five single texts, a separator, MenuTexts 1..89, a separator,
ButtonTexts 1..17, a separator, MessageTexts 1..129, a separator,
CaptionTexts 1..20, a separator, LabelTexts 1..220. Every text is five fields,
one per language slot: 0 German, 1 English, 2 Spanish, 3 and 4 copies of the
English text. 2406 fields in all, one per line, Windows-1252, CRLF.

Rules the texts must keep (checked by check() below and by the tests):
- no comma anywhere (a comma would end the field and shift every later text);
- a blank at the end or start of a text is real where the program joins the
  text directly to a number or another text (e.g. "Window " + "3");
- the 69 toolbar action texts, without their first "&", are pairwise distinct
  in every slot (the toolbar page matches ticked entries by their text);
- the names the program stores in files and compares after reading
  (background kinds, scale and arithmetic operations, peak types) read the
  same in every slot, so that a language switch keeps them matching; the
  doublet type begins with "D", the single-peak type does not;
- menu texts whose first character the program drops in captions begin with
  "&";
- only characters of Windows-1252 (no Greek letters: "Ka3" not "K alpha 3").
"""
from __future__ import annotations

import os
import sys

HEADER = "Sorvan language texts 2006 - slots: 0 Deutsch 1 English 2 Espanol 3 and 4 English"
UNUSED = ("-", "-", "-")

# (German, English, Spanish) per text.
SINGLE = [
    # BindingEnergyTitle: energy-axis title on the binding-energy scale
    ("Bindungsenergie / eV", "Binding energy / eV", "Energía de enlace / eV"),
    # KineticEnergyTitle
    ("Kinetische Energie / eV", "Kinetic energy / eV", "Energía cinética / eV"),
    # CountsTitle
    ("Intensität / Impulse", "Intensity / counts", "Intensidad / cuentas"),
    # CpsTitle
    ("Intensität / cps", "Intensity / cps", "Intensidad / cps"),
    # ReadoutPrefix: joined directly to the window number in the caption
    ("Fenster ", "Window ", "Ventana "),
]

MENU = {
    1: ("Tap-&Blöcke", "Tap &blocks", "&Bloques tap"),
    2: ("&Eclipse-tap-Datei", "&Eclipse tap file", "Archivo tap &Eclipse"),
    3: ("Textdatei mit &Präfix", "&Prefixed text file", "Archivo de texto con &prefijo"),
    4: ("Textdatei mit &Schlüsselwörtern", "&Keyword text file", "Archivo de texto con &claves"),
    # Import popup, "load presetting" and toolbar action 1 (read again)
    5: ("&Laden", "&Load", "&Cargar"),
    6: ("&Speichern", "&Save", "&Guardar"),
    # 7: message 2 when the disk or folder refused the write (instead of
    # CaptionTexts 11); no menu item shows it
    7: ("Die Datei konnte nicht geschrieben werden: Laufwerk oder Ordner ist schreibgeschützt.",
        "The file could not be written: the disk or folder is write-protected.",
        "No se pudo escribir el archivo: el disco o la carpeta está protegido contra escritura."),
    8: ("&Druckereinrichtung", "Printer &setup", "&Configurar impresora"),
    9: ("&Drucken", "&Print", "&Imprimir"),
    10: ("&Fitbericht drucken", "Print &fit report", "Imprimir &informe de ajuste"),
    11: ("&Testspektrum öffnen", "Open &test spectrum", "Abrir espectro de &prueba"),
    12: ("Datei&blöcke öffnen", "Open file &blocks", "Abrir &bloques de archivo"),
    13: ("Spektrum &zurücksetzen", "&Revert spectrum", "&Restaurar espectro"),
    14: ("&Beenden", "E&xit", "&Salir"),
    15: ("&Konstant", "&Constant", "&Constante"),
    16: ("&Linear", "&Linear", "&Lineal"),
    17: ("&Shirley", "&Shirley", "&Shirley"),
    18: ("&Tougaard", "&Tougaard", "&Tougaard"),
    19: ("&Polynom + Shirley", "&Polynomial + Shirley", "&Polinomio + Shirley"),
    20: ("&Verschieben", "S&hift", "&Desplazar"),
    21: ("&Skalieren", "&Scale", "&Escalar"),
    22: ("Fenster &addieren", "&Add window", "&Sumar ventana"),
    23: ("Fenster &subtrahieren", "&Subtract window", "&Restar ventana"),
    24: ("Mit Fenster &multiplizieren", "&Multiply by window", "&Multiplicar por ventana"),
    25: ("Durch Fenster &dividieren", "&Divide by window", "&Dividir por ventana"),
    26: ("&Energie korrigieren", "Correct &energy", "Corregir &energía"),
    27: ("&Untergrund", "&Background", "&Fondo"),
    28: ("Untergrund &abziehen", "Subtract bac&kground", "Restar f&ondo"),
    29: ("&Satelliten entfernen", "Remove &satellites", "Eliminar &satélites"),
    30: ("Bereich aus &Cursoren", "Region from &cursors", "Región desde &cursores"),
    31: ("&Ganzes Spektrum", "&Whole spectrum", "Espectro &completo"),
    32: ("&Ableitung", "&Derivative", "&Derivada"),
    33: ("&Negieren", "&Negate", "&Invertir signo"),
    34: ("&Glätten", "S&mooth", "&Suavizar"),
    35: ("&Punkte mit der Maus ändern", "Edit &points with mouse", "Editar &puntos con el ratón"),
    36: ("Verschieben und s&kalieren", "Shift and sc&ale", "Desplazar y es&calar"),
    37: ("&Fensterarithmetik", "&Window arithmetic", "&Aritmética de ventanas"),
    38: ("&Singuletts", "&Singlets", "&Singletes"),
    39: ("&Dubletts", "&Doublets", "&Dobletes"),
    40: ("&Neuer Fit", "&New fit", "&Nuevo ajuste"),
    41: ("Fit aus &Parameterdatei", "Fit from &parameter file", "Ajuste desde archivo de &parámetros"),
    42: ("Peak&grenzen", "Peak &limits", "&Límites de picos"),
    43: ("&Startwerte", "&Start values", "Valores &iniciales"),
    44: ("Ge&fitteter Untergrund", "Fitted &background", "Fondo a&justado"),
    45: ("Fit &starten", "&Run fit", "&Ejecutar ajuste"),
    46: ("&Quantifizieren", "&Quantify", "&Cuantificar"),
    47: ("&Beschreibung", "&Description", "&Descripción"),
    48: ("&Messparameter", "&Acquisition", "&Adquisición"),
    49: ("&Energiekorrektur", "&Energy correction", "Corrección de &energía"),
    50: ("E&xtremwerte", "E&xtremes", "E&xtremos"),
    51: ("&Quelldatei", "Source &file", "Archivo de &origen"),
    52: UNUSED,
    53: ("&Bindungsenergie", "&Binding energy", "Energía de &enlace"),
    54: ("&Kinetische Energie", "&Kinetic energy", "Energía &cinética"),
    55: ("&Impulse", "&Counts", "&Cuentas"),
    56: ("Impulse pro &Sekunde", "Counts per &second", "Cuentas por &segundo"),
    57: ("Spektrum", "Spectrum", "Espectro"),
    58: ("Untergrund", "Background", "Fondo"),
    59: ("Satellitenkurve", "Satellite curve", "Curva de satélites"),
    60: ("Peaks", "Peaks", "Picos"),
    61: ("Summenkurve", "Sum curve", "Curva suma"),
    # the first character is dropped in captions and report labels
    62: ("&Gauss-Lorentz", "&Gauss-Lorentz", "&Gauss-Lorentz"),
    63: ("&Doniach-Sunjic", "&Doniach-Sunjic", "&Doniach-Sunjic"),
    64: ("&Deutsch", "&Deutsch", "&Deutsch"),
    65: ("&English", "&English", "&English"),
    66: ("&Sprache", "&Language", "&Idioma"),
    67: ("&Mittelungspunkte", "&Averaging points", "Puntos de &promedio"),
    # the energy-scale popup and the minor-tick check box of the x axis
    68: ("&X-Achse", "&X axis", "Eje &X"),
    69: ("&Y-Achse", "&Y axis", "Eje &Y"),
    70: UNUSED,
    71: UNUSED,
    72: ("Linienfarbe", "Line colour", "Color de línea"),
    73: ("Hintergrundfarbe", "Background colour", "Color de fondo"),
    74: UNUSED,
    75: UNUSED,
    76: ("Standard-Peak&form", "Default peak &shape", "&Forma de pico por defecto"),
    77: ("Über&lappend", "&Cascade", "En &cascada"),
    78: ("&Nebeneinander", "&Tile", "&Mosaico"),
    79: ("&Alle Fenster schließen", "&Close all windows", "Cerrar &todas las ventanas"),
    80: ("&Über Sorvan", "&About Sorvan", "&Acerca de Sorvan"),
    81: ("&Datei", "&File", "&Archivo"),
    82: ("&Bearbeitung", "&Processing", "&Procesado"),
    83: ("F&it", "F&it", "A&juste"),
    84: ("&Quantifizierung", "&Quantification", "&Cuantificación"),
    85: ("&Information", "&Information", "&Información"),
    86: ("B&eschriftung", "&Labels", "&Etiquetas"),
    87: ("&Optionen", "&Options", "&Opciones"),
    88: ("&Fenster", "&Windows", "&Ventanas"),
    89: ("&Hilfe", "&Help", "A&yuda"),
}

BUTTON = {
    1: ("Abbrechen", "Cancel", "Cancelar"),
    2: ("OK", "OK", "Aceptar"),
    3: ("Abziehen", "Subtract", "Restar"),
    4: ("Behalten", "Keep", "Conservar"),
    5: ("Neu berechnen", "Recalculate", "Recalcular"),
    6: ("Neues Segment", "New segment", "Nuevo tramo"),
    7: ("Weiterer Lauf", "Another pass", "Otra pasada"),
    8: UNUSED,
    9: ("Übernehmen", "Apply", "Aplicar"),
    10: ("Drucken", "Print", "Imprimir"),
    11: ("Erneut fitten", "Fit again", "Ajustar de nuevo"),
    12: ("Fertig", "Finish", "Terminar"),
    13: ("Startwerte", "Start values", "Valores iniciales"),
    14: ("Peakgrenzen", "Peak limits", "Límites de picos"),
    15: ("Gefitteter Untergrund", "Fitted background", "Fondo ajustado"),
    16: ("Druckoptionen", "Print options", "Opciones de impresión"),
    17: ("Berechnen", "Calculate", "Calcular"),
}


def same(text: str) -> tuple[str, str, str]:
    """A text that reads the same in every slot."""
    return (text, text, text)


MESSAGE = {
    # Background names: stored in the presetting and compared after reading,
    # so one wording in every slot.
    1: same("Constant background"),
    2: same("Linear background"),
    3: same("Shirley background"),
    4: same("Tougaard background"),
    5: same("Polynomial Shirley background"),
    6: ("Fläche über Untergrund:", "Area above background:", "Área sobre el fondo:"),
    7: ("Spektren auswählen", "Choose spectra", "Elegir espectros"),
    8: ("Ableitung", "Derivative", "Derivada"),
    9: ("Glättung", "Smoothing", "Suavizado"),
    10: ("Satellitenabzug", "Satellite removal", "Eliminación de satélites"),
    11: ("Mittelungspunkte", "Averaging points", "Puntos de promedio"),
    12: ("Anregungsenergie", "Excitation energy", "Energía de excitación"),
    13: ("Energiekorrektur", "Energy correction", "Corrección de energía"),
    14: ("Aktueller Wert", "Current value", "Valor actual"),
    15: ("Name", "Name", "Nombre"),
    16: ("Anregung", "Excitation", "Excitación"),
    17: same("Scale"),  # stored and compared
    18: ("Faktor", "Factor", "Factor"),
    19: same("Shift"),  # stored and compared
    20: ("Verschiebung", "Energy shift", "Desplazamiento"),
    # Arithmetic operations: stored and compared
    21: same("Addition"),
    22: same("Subtraction"),
    23: same("Multiplication"),
    24: same("Division"),
    25: ("Fenster ", "Window ", "Ventana "),
    26: ("plus", "plus", "más"),
    27: ("minus", "minus", "menos"),
    28: ("mal", "times", "por"),
    29: ("geteilt durch", "divided by", "dividido por"),
    30: (" zusammen mit", " together with", " junto con"),
    31: ("Drucken", "Print", "Imprimir"),
    32: ("Druckoptionen", "Print options", "Opciones de impresión"),
    33: (": Kopfdaten", ": header box", ": cabecera"),
    34: ("Fenster ", "Window ", "Ventana "),
    35: (": Anzahl", " count", ": número"),
    36: ("Grenzen: ", "Limits: ", "Límites: "),
    37: ("Intensität ", "Intensity ", "Intensidad "),
    38: ("G/L-Verhältnis ", "G/L ratio ", "Relación G/L "),
    39: ("Position", "Position", "Posición"),
    40: ("FWHM", "FWHM", "FWHM"),
    41: ("Asymmetrie", "Asymmetry", "Asimetría"),
    42: ("Gaußbreite", "Gauss width", "Ancho Gauss"),
    43: ("Lorentzbreite", "Lorentz width", "Ancho Lorentz"),
    44: ("Startwerte", "Start values", "Valores iniciales"),
    45: ("Fläche", "Area", "Área"),
    46: ("Flächenanteil", "Area share", "Área relativa"),
    # Peak types: stored in presetting project snapshot and parameter files.
    # One wording everywhere; the doublet type begins with "D", this not.
    47: same("Peak"),
    48: ("Fix", "Fix", "Fijo"),
    49: same("min"),
    50: same("max"),
    51: ("Dublett-Startwerte", "Doublet start values", "Valores iniciales de doblete"),
    52: same("Doublet"),
    53: ("Fit-Iterationen", "Fit iterations", "Iteraciones de ajuste"),
    54: ("Grenzen des Fitlaufs (Esc bricht ab)", "Limits of the fit run (Esc stops a fit)",
         "Límites del ajuste (Esc lo detiene)"),
    55: ("Iterationen pro Runde", "Iterations per round", "Iteraciones por ronda"),
    56: ("Quelldaten", "Source data", "Datos originales"),
    57: ("Untergrund", "Background", "Fondo"),
    58: ("Satelliten", "Satellites", "Satélites"),
    59: ("Peaks", "Peaks", "Picos"),
    60: ("Summenkurve", "Sum curve", "Curva suma"),
    61: ("Element", "Item", "Elemento"),
    62: ("Linie", "Line", "Línea"),
    63: ("Gestrichelt", "Dashed", "Discontinua"),
    64: ("Punkte", "Dots", "Puntos"),
    65: ("Quadrate", "Squares", "Cuadrados"),
    66: ("Kreuze", "Crosses", "Cruces"),
    67: ("Kreise", "Circles", "Círculos"),
    68: ("Exportspalten", "Export columns", "Columnas de exportación"),
    69: ("Spalten", "Columns", "Columnas"),
    70: ("Spektrum", "Spectrum", "Espectro"),
    71: ("Residuum", "Residual", "Residuo"),
    72: ("Exportskalierung", "Export scaling", "Escalado de exportación"),
    73: ("Normieren", "Normalise", "Normalizar"),
    74: ("Divisor", "Divisor", "Divisor"),
    75: ("Offset", "Offset", "Offset"),
    76: ("Maxima", "Maxima", "Máximos"),
    77: ("Peak", "Peak", "Pico"),
    78: ("Fenster quantifizieren", "Quantify windows", "Cuantificar ventanas"),
    79: ("Offene Fenster", "Open windows", "Ventanas abiertas"),
    80: ("Quantifizierung", "Quantification", "Cuantificación"),
    81: ("Name", "Name", "Nombre"),
    82: ("Fläche", "Area", "Área"),
    83: ("Faktor", "Factor", "Factor"),
    84: ("Fl. norm.", "Norm. area", "Área norm."),
    85: ("Atom-%", "Atomic %", "% atómico"),
    86: ("Beschriften", "Set label", "Etiquetar"),
    87: ("Fitbericht drucken", "Print fit report", "Imprimir informe de ajuste"),
    88: ("Fit beendet", "Fit finished", "Ajuste terminado"),
    89: ("Iterationen", "Iterations", "Iteraciones"),
    90: ("Red. Chi² = ", "Red. chi² = ", "Chi² red. = "),
    # 91: the hint of "Region from cursors" while no cursor pair is picked
    91: ("Zuerst die beiden Bereichsenden in einem Spektrum ohne Fit anklicken.",
         "First click the two ends of the region in a spectrum without a fit.",
         "Primero marque los dos extremos de la región en un espectro sin ajuste."),
    # 92: why "Subtract background" finds nothing to subtract
    92: ("Kein behaltener Untergrund zum Abziehen: zuerst einen Untergrund berechnen und behalten oder mit den Peaks fitten.",
         "No kept background to subtract: compute a background and keep it or fit it with the peaks.",
         "No hay un fondo guardado que restar: calcule un fondo y consérvelo o ajústelo con los picos."),
    93: ("Spektrum importieren", "Import spectrum", "Importar espectro"),
    94: ("Speichern unter", "Save as", "Guardar como"),
    95: ("Spektrumkopf", "Spectrum header", "Cabecera del espectro"),
    96: ("Kommentar", "Comment", "Comentario"),
    97: ("Datum", "Date", "Fecha"),
    98: ("Energie von", "Energy from", "Energía desde"),
    99: ("Energie bis", "Energy to", "Energía hasta"),
    100: ("Verweilzeit", "Dwell time", "Tiempo por punto"),
    101: ("Scans", "Scans", "Barridos"),
    102: ("Energieschritt", "Energy step", "Paso de energía"),
    103: ("Passenergie", "Pass energy", "Energía de paso"),
    104: same("E (Shirley)"),
    105: same("F (Tougaard)"),
    106: same("E (Shirley)"),
    107: ("Gefitteter Untergrund", "Fitted background", "Fondo ajustado"),
    108: ("A (konstant)", "A (constant)", "A (constante)"),
    109: same("B = "),
    110: same("C ="),
    111: same("D ="),
    # 112: the windows "Edit transmission function" works on
    112: ("Transmissionsfunktion bearbeiten braucht ein Fenster mit einer importierten Transmissionsfunktion (*.trm).",
          "Edit transmission function needs a window holding an imported transmission function (*.trm).",
          "Editar la función de transmisión necesita una ventana con una función de transmisión importada (*.trm)."),
    # 113: the windows the gold, silver and copper references are loaded into
    113: ("Das Referenzspektrum wird nur in ein Fenster ohne Fit geladen.",
          "The reference spectrum is loaded only into a window without a fit.",
          "El espectro de referencia se carga solo en una ventana sin ajuste."),
    114: ("Serielle Korr. = ", "Serial corr. = ", "Correl. serial = "),
    115: ("Datei", "File", "Archivo"),
    116: ("Punkte", "Points", "Puntos"),
    117: ("Energieverschiebung", "Energy shift", "Desplazamiento de energía"),
    118: ("Methode", "Technique", "Técnica"),
    119: ("Quelle", "Source", "Fuente"),
    120: ("Energien", "Energies", "Energías"),
    121: ("Gauß", "Gauss", "Gauss"),
    122: ("Lorentz", "Lorentz", "Lorentz"),
    123: ("Asym.", "Asym.", "Asim."),
    124: ("Voreinstellung laden", "Load presetting", "Cargar preajuste"),
    125: ("Voreinstellung speichern", "Save presetting", "Guardar preajuste"),
    126: ("Position", "Position", "Posición"),
    127: ("FWHM", "FWHM", "FWHM"),
    # 128: the line before the step at which a batch run (series, error
    # analysis) stopped
    128: ("Der Lauf endete bei diesem Schritt:", "The run stopped at this step:",
          "La ejecución se detuvo en este paso:"),
    129: ("Parametersatz laden", "Load parameter set", "Cargar conjunto de parámetros"),
}

CAPTION = {
    1: ("Sorvan - Auswertung von Photoelektronenspektren",
        "Sorvan - photoelectron spectrum analysis",
        "Sorvan - análisis de espectros de fotoelectrones"),
    2: ("Wollen Sie das Programm wirklich beenden?", "Do you really want to quit?",
        "¿Desea realmente salir del programa?"),
    3: ("Maximum", "Maximum", "Máximo"),
    4: ("Minimum", "Minimum", "Mínimo"),
    5: ("bei Bindungsenergie", "at binding energy", "en energía de enlace"),
    # 6: the caption of a window while its fit iterates: 6 + ": " + iteration
    6: ("Iterationen", "Iterations", "Iteraciones"),
    # Message 1 reads: 7 + " " + 8 + " 100 " + 9 + "!" and then 10
    7: ("Kein freies Fenster:", "No free window:", "No hay ventana libre:"),
    8: ("höchstens", "at most", "como máximo"),
    9: ("Fenster können offen sein", "windows can be open", "ventanas pueden estar abiertas"),
    10: ("Bitte zuerst ein Fenster schließen.", "Close a window first.",
         "Cierre primero una ventana."),
    11: ("Nicht genug freier Speicherplatz für den Export.",
         "Not enough free disk space for the export.",
         "No hay espacio libre suficiente para exportar."),
    12: ("Unerwartetes Datenformat.", "Unexpected data format.", "Formato de datos inesperado."),
    13: ("Die Datei (oder das Spektrum) hat nicht die erwartete Form.",
         "The file (or the spectrum) does not have the expected form.",
         "El archivo (o el espectro) no tiene la forma esperada."),
    14: ("Alle Dateien", "All files", "Todos los archivos"),
    15: ("Datentabellen", "Data tables", "Tablas de datos"),
    16: ("Parametersätze", "Parameter sets", "Conjuntos de parámetros"),
    # 17: message 3 after an import that left regions of a file out: the line
    # before the regions it names
    17: ("Diese Bereiche der Datei wurden ausgelassen:", "These regions of the file were left out:",
         "Se omitieron estas regiones del archivo:"),
    18: ("Voreinstellungen", "Presettings", "Preajustes"),
    19: ("Tap-Dateien", "Tap files", "Archivos tap"),
    20: ("Textdateien", "Text files", "Archivos de texto"),
}

LABEL = {
    1: ("Standard-Peak&modus", "Default peak &mode", "&Modo de picos por defecto"),
    # 2 and 3: the first character is dropped in captions and report labels;
    # each names both a peak mode and an error display.
    2: ("&Absolut", "&Absolute", "&Absoluto"),
    3: ("&Relativ", "&Relative", "&Relativo"),
    4: ("INF-Dateien (*.INF)", "INF files (*.INF)", "Archivos INF (*.INF)"),
    5: ("&Empfindlichkeitsfaktoren laden", "Load &sensitivity factors",
        "Cargar factores de &sensibilidad"),
    # 6, 39, 43: what failed, the detail line of message 9 after a fit
    6: ("Der Fit kann seine freien Parameter nicht trennen: Peaks oder Partner liegen aufeinander oder außerhalb des Fitbereichs.",
        "The fit cannot tell its free parameters apart: peaks or partners lie on one another or outside the fit region.",
        "El ajuste no puede separar sus parámetros libres: picos o compañeros coinciden o están fuera de la región de ajuste."),
    7: ("Parameterdateien", "Parameter files", "Archivos de parámetros"),
    8: ("Empfindlichkeitsfaktoren:", "Sensitivity factors:", "Factores de sensibilidad:"),
    9: ("Parameterdatei öffnen", "Open parameter file", "Abrir archivo de parámetros"),
    10: ("&INF/ASC-Dateien", "&INF/ASC files", "Archivos &INF/ASC"),
    11: ("N&ummerierte Bereichsdateien", "N&umbered region files",
         "Archivos de regiones n&umerados"),
    12: ("Spektrentabelle &exportieren", "&Export spectrum table", "&Exportar tabla del espectro"),
    13: ("Energie &aller Fenster korrigieren", "Correct energy of &all windows",
         "Corregir energía de &todas las ventanas"),
    14: ("bei kinetischer Energie", "at kinetic energy", "en energía cinética"),
    15: same("&VAMAS"),
    16: ("Nächste Seite", "Next page", "Página siguiente"),
    17: ("Alle auswählen", "Select all", "Seleccionar todo"),
    18: ("VAMAS-Dateien (*.vam)", "VAMAS files (*.vam)", "Archivos VAMAS (*.vam)"),
    19: ("Alle nehmen", "Take all", "Tomar todos"),
    20: ("&Tiefenprofilblöcke öffnen", "Open &depth-profile blocks",
         "Abrir bloques de &perfil de profundidad"),
    21: ("Blöcke auswählen", "Choose blocks", "Elegir bloques"),
    22: ("Vorgang nicht möglich.", "Operation not possible.", "Operación no posible."),
    23: ("&Serie", "&Series", "&Serie"),
    24: ("Alle Fenster &zurücksetzen", "&Revert all windows", "&Restaurar todas las ventanas"),
    25: ("&Export", "&Export", "&Exportar"),
    26: ("&Dezimalzeichen", "&Decimal sign", "Signo &decimal"),
    27: ("&Spaltentrenner", "&Column separator", "Separador de &columnas"),
    28: ("&Punkt", "&Point", "&Punto"),
    29: ("&Komma", "&Comma", "&Coma"),
    30: ("S&emikolon", "&Semicolon", "Punto y c&oma"),
    31: ("&Tabulator", "&Tab", "&Tabulador"),
    32: ("&Leerzeichen", "&Blank", "&Espacio"),
    33: ("Fensterserie", "Series of windows", "Serie de ventanas"),
    34: ("Teilbereich", "Partial region", "Región parcial"),
    35: ("Negiert", "Negated", "Signo invertido"),
    36: ("Satelliten über vorläufigem Untergrund entfernt",
         "Satellites removed on a temporary background",
         "Satélites eliminados sobre un fondo provisional"),
    37: ("Peakfit", "Peak fit", "Ajuste de picos"),
    38: ("Serie beendet.", "Series finished.", "Serie terminada."),
    39: ("Der Fitbereich hat nicht mehr Punkte als der Fit freie Parameter.",
         "The fit region holds no more points than the fit has free parameters.",
         "La región de ajuste no tiene más puntos que parámetros libres tiene el ajuste."),
    40: ("&Alle Spektren exportieren", "Export &all spectra", "Exportar &todos los espectros"),
    41: ("Exportieren", "Export table", "Exportar"),
    42: ("Namen zurück", "Reset names", "Restablecer"),
    43: ("Der Fitbereich liegt nicht im Spektrum oder die Peaktabelle passt nicht zum Fit.",
         "The fit region lies outside the spectrum or the peak table does not match the fit.",
         "La región de ajuste está fuera del espectro o la tabla de picos no corresponde al ajuste."),
    44: ("Bereichsdateien (*.1-*.5)", "Region files (*.1-*.5)", "Archivos de regiones (*.1-*.5)"),
    45: ("Fit&tabelle exportieren", "Export fit &table", "Exportar &tabla de ajuste"),
    46: ("Fittabelle exportieren", "Export fit table", "Exportar tabla de ajuste"),
    47: ("Spalten der Fittabelle", "Fit table columns", "Columnas de la tabla de ajuste"),
    48: ("Parameter", "Parameters", "Parámetros"),
    49: ("Tabelle speichern", "Save table", "Guardar tabla"),
    50: ("Dialog&schrift", "Dialog &font", "&Fuente de diálogos"),
    51: ("&Werkzeugleiste", "&Toolbar", "&Barra de herramientas"),
    52: ("&Satelliten", "&Satellites", "&Satélites"),
    53: same("Ka3"),
    54: same("Ka4"),
    55: same("Ka5"),
    56: same("Ka6"),
    57: same("Kb"),
    58: ("Vorgabe", "Preset", "Preajuste"),
    59: ("Spektrum &kopieren", "&Copy spectrum", "&Copiar espectro"),
    60: ("Spektrum &einfügen", "&Paste spectrum", "&Pegar espectro"),
    # 61: the step of an error analysis at which it stopped, before the
    # parameter's number
    61: ("Fehlerabschätzung: Profil von Parameter", "Error estimate: profile of parameter",
         "Estimación de errores: perfil del parámetro"),
    62: ("VAMAS-Dateien (*.vms)", "VAMAS files (*.vms)", "Archivos VAMAS (*.vms)"),
    63: same("&NPL"),
    64: ("Spektrendateien", "Spectrum files", "Archivos de espectros"),
    65: ("Linienidentifikation", "Line identification", "Identificación de líneas"),
    66: ("Alle Linien", "All lines", "Todas las líneas"),
    67: ("Markierte Linien (*)", "Marked lines (*)", "Líneas marcadas (*)"),
    68: ("Linien dieses Elements", "Lines of this element", "Líneas de este elemento"),
    # 69: message 2 when a write failed for another reason than room or protection
    69: ("Die Datei konnte nicht geschrieben werden.", "The file could not be written.",
         "No se pudo escribir el archivo."),
    70: ("Linien &identifizieren", "&Identify lines", "&Identificar líneas"),
    71: ("Linien aus eigener Datei", "Lines from named file", "Líneas de archivo propio"),
    # message 8: a chosen file is missing (worded for any file)
    72: ("Die gewählte Datei existiert nicht.", "The chosen file does not exist.",
         "El archivo elegido no existe."),
    73: ("&Linienlagen bearbeiten", "Edit &line positions", "Editar posiciones de &líneas"),
    74: ("Linienlagendatei öffnen", "Open line-position file",
         "Abrir archivo de posiciones de líneas"),
    75: ("Linienlagendateien (*.pos)", "Line-position files (*.pos)",
         "Archivos de posiciones (*.pos)"),
    76: ("&Bitmap exportieren", "Export &bitmap", "Exportar &mapa de bits"),
    77: ("Bitmap-Dateien (*.bmp)", "Bitmap files (*.bmp)", "Archivos de mapa de bits (*.bmp)"),
    78: ("Projekt &öffnen", "&Open project", "&Abrir proyecto"),
    79: ("Projekt &speichern", "&Save project", "&Guardar proyecto"),
    80: ("Projektdateien", "Project files", "Archivos de proyecto"),
    81: ("A&uger-Parameter bearbeiten", "Edit A&uger parameters", "Editar parámetros A&uger"),
    82: ("Auger-Parameter", "Auger parameter", "Parámetro Auger"),
    83: ("&Auger-Parameter-Diagramm", "&Auger parameter plot", "&Diagrama de parámetro Auger"),
    84: ("Diagrammpunkte &beschriften", "&Label plot points", "&Etiquetar puntos del diagrama"),
    85: ("&Kurvenstile Bildschirm", "Screen &curve styles", "Estilos de &curvas en pantalla"),
    86: ("Balken", "Bars", "Barras"),
    87: ("Verbindung", "Compound", "Compuesto"),
    88: (": Punktliste", ": point list", ": lista de puntos"),
    89: ("Werkzeugleiste &anpassen", "&Customise toolbar", "&Personalizar barra de herramientas"),
    90: ("Werkzeugleiste anpassen", "Customise toolbar", "Personalizar barra de herramientas"),
    91: ("Schaltflächengröße", "Button size", "Tamaño de botones"),
    92: ("Projekt öffnen", "Open project", "Abrir proyecto"),
    93: ("Projekt speichern", "Save project", "Guardar proyecto"),
    94: ("Widersprüchliche Eingabe: bitte die Werte prüfen.",
         "Inconsistent input: please check the values.",
         "Entrada incoherente: compruebe los valores."),
    95: ("Zwei Spalten - &Bindungsenergie", "Two columns - &binding energy",
         "Dos columnas - energía de &enlace"),
    96: ("Zwei Spalten - Bindungsenergie &umgekehrt", "Two columns - binding energy &reversed",
         "Dos columnas - energía de enlace &invertida"),
    97: ("Zwei Spalten - kinetische Energie u&mgekehrt", "Two columns - kinetic energy r&eversed",
         "Dos columnas - energía cinética in&vertida"),
    98: ("Zwei Spalten - &kinetische Energie", "Two columns - &kinetic energy",
         "Dos columnas - energía &cinética"),
    99: ("&Fehler abschätzen", "&Estimate errors", "&Estimar errores"),
    100: ("Fehlerabschätzung fehlgeschlagen (negative Varianz).",
          "Error estimation failed (negative variance).",
          "La estimación de errores falló (varianza negativa)."),
    101: ("Untergrundfehler", "Background errors", "Errores del fondo"),
    102: ("Parameterfehler", "Parameter errors", "Errores de parámetros"),
    103: ("Lorentzbreite", "Lorentz width", "Ancho Lorentz"),
    104: ("Gaußbreite", "Gauss width", "Ancho Gauss"),
    105: ("Anzahl der Runden", "Number of rounds", "Número de rondas"),
    106: ("&SPX-Experiment", "&SPX experiment", "Experimento &SPX"),
    107: ("A (konstant)", "A (constant)", "A (constante)"),
    108: ("B (linear)", "B (linear)", "B (lineal)"),
    109: ("C (quadratisch)", "C (quadratic)", "C (cuadrático)"),
    110: ("D (kubisch)", "D (cubic)", "D (cúbico)"),
    111: same("E (Shirley)"),
    112: same("F (Tougaard)"),
    113: ("Standard-&Fehleranzeige", "Default error &display",
          "&Presentación de errores por defecto"),
    114: ("Berechnung läuft...", "Computing...", "Calculando..."),
    115: ("Standard-Fehler&methode", "Default error &method", "&Método de errores por defecto"),
    # 116 and 117: the first character is dropped in captions and labels
    116: ("&Chi²-Profil", "&Chi-square profile", "&Perfil de chi²"),
    117: ("&Hesse-Matrix", "&Hessian", "&Hessiana"),
    118: ("Fehler&matrix exportieren", "Export error &matrix", "Exportar &matriz de errores"),
    119: ("Fehlermatrix speichern", "Save error matrix", "Guardar matriz de errores"),
    120: ("F&ehlertabelle exportieren", "Export &error table", "Exportar tabla de &errores"),
    121: ("Fehlerbe&richt drucken", "Print e&rror report", "Imprimir informe de e&rrores"),
    122: ("Anwenden", "Apply", "Aplicar"),
    123: ("Empfindlichkeits&faktoren bearbeiten", "Edit &sensitivity factors",
          "Editar factores de &sensibilidad"),
    124: ("&Dubletts bearbeiten", "Edit &doublets", "Editar &dobletes"),
    125: ("Dublett-Tabellen (*.dda)", "Doublet tables (*.dda)", "Tablas de dobletes (*.dda)"),
    126: ("Die Profilanalyse hat einen besseren Fit gefunden.",
          "The profile analysis found a better fit.",
          "El análisis de perfil encontró un ajuste mejor."),
    127: ("Die besseren Parameter übernehmen?", "Take over the better parameters?",
          "¿Adoptar los parámetros mejores?"),
    128: same("Chi² = "),
    129: ("Stopp", "Stop", "Detener"),
    130: ("Transmission", "Transmission", "Transmisión"),
    131: ("Transmission:", "Transmission:", "Transmisión:"),
    132: ("&Transmissionsparameter laden", "Load &transmission parameters",
          "Cargar parámetros de &transmisión"),
    133: ("&Transmission", "&Transmission", "&Transmisión"),
    134: ("Transmissionsfunktion &importieren", "&Import transmission function",
          "&Importar función de transmisión"),
    # 135: error page and error report note when the curvature errors were
    # taken from the fit's normal matrix.
    135: ("Hesse-Matrix nicht positiv definit: Fehler aus der Normalmatrix",
          "Hessian not positive definite: errors from the normal matrix",
          "Hessiana no definida positiva: errores de la matriz normal"),
    136: ("&Referenzspektrum", "&Reference spectrum", "Espectro de &referencia"),
    137: ("Transmissionsfunktion importieren", "Import transmission function",
          "Importar función de transmisión"),
    138: ("Transmissionsfunktion", "Transmission function", "Función de transmisión"),
    139: ("Transmissionsfunktion &bearbeiten", "&Edit transmission function",
          "&Editar función de transmisión"),
    140: same("P&CF"),
    141: ("Aus Referenz&linien", "From reference &lines", "Desde &líneas de referencia"),
    142: ("Intensitäten der Referenzlinien", "Reference line intensities",
          "Intensidades de líneas de referencia"),
    143: ("Transmissionsdateien (*.trm)", "Transmission files (*.trm)",
          "Archivos de transmisión (*.trm)"),
    144: ("Residuum = ", "Residual = ", "Residuo = "),
    145: ("&Gestapelte Ansicht", "&Stacked view", "Vista &apilada"),
    146: ("&Farbkarte", "&Colour map", "Mapa de &color"),
    147: ("Die gewählten Fenster passen nicht zusammen.", "The chosen windows do not match.",
          "Las ventanas elegidas no coinciden."),
    148: ("&Wasserfall", "&Waterfall", "&Gráfico de cascada"),
    149: ("&Gespiegelter Wasserfall", "&Mirrored waterfall", "Gráfico de cascada &reflejado"),
    150: ("Spektrum", "Spectrum", "Espectro"),
    151: ("Füllfarbe Wasserfall", "Waterfall fill colour", "Relleno de cascada"),
    152: ("&Spektrenbeschriftungen", "&Member labels", "Etiquetas de &espectros"),
    153: ("Spektren&achse", "Member &axis", "E&je de espectros"),
    154: ("Spektren:", "Members:", "Espectros:"),
    155: ("Erste Beschriftung", "First label", "Primera etiqueta"),
    156: ("Letzte Beschriftung", "Last label", "Última etiqueta"),
    157: ("&Energieachse", "&Energy axis", "Eje de &energía"),
    158: ("&Intensitätsachse", "&Intensity axis", "Eje de &intensidad"),
    159: ("Achsentitel", "Axis title", "Título del eje"),
    160: ("Titel", "Titles", "Títulos"),
    161: ("Von", "From", "Desde"),
    162: ("Bis", "To", "Hasta"),
    163: ("Anzahl der Beschriftungen", "Number of labels", "Número de etiquetas"),
    164: ("Rücksetzen", "Reset", "Restaurar"),
    165: ("Skalenbeschriftung zeigen", "Show scale labels", "Mostrar etiquetas de escala"),
    166: ("Für alle offenen Fenster", "Apply to all open windows",
          "Aplicar a todas las ventanas"),
    167: ("Dünn", "Thin", "Fina"),
    168: ("Leicht", "Light", "Ligera"),
    169: ("Mittel", "Medium", "Media"),
    170: ("Halbfett", "Semi-bold", "Seminegrita"),
    171: ("Fett", "Bold", "Gruesa"),
    172: ("Sehr fett", "Heavy", "Muy gruesa"),
    173: ("Stil", "Style", "Estilo"),
    174: ("Breite", "Width", "Ancho"),
    175: ("Residuum", "Residual", "Residuo"),
    176: ("Farbe", "Colour", "Color"),
    177: ("Haarlinie", "Hairline", "Muy fina"),
    178: ("Schriften und &Linien Bildschirm", "Screen &fonts and lines",
          "&Fuentes y líneas en pantalla"),
    179: ("&Titelbeschriftungen", "&Title labels", "Etiquetas de &título"),
    180: ("&Anmerkungen", "&Annotations", "&Anotaciones"),
    181: ("Achsentitel", "Axis titles", "Títulos de ejes"),
    182: ("Skalenzahlen", "Tick labels", "Números de escala"),
    183: ("Rahmen und Achsen", "Frame and axes", "Marco y ejes"),
    184: ("Nulllinie", "Zero line", "Línea de cero"),
    185: ("Gitterlinien", "Grid lines", "Líneas de rejilla"),
    186: ("Linien gestapelt", "Stacked-view lines", "Líneas de vista apilada"),
    187: ("Strichrichtung", "Tick direction", "Dirección de marcas"),
    188: ("Strichlänge", "Tick size", "Tamaño de marcas"),
    189: ("Innen", "Inside", "Dentro"),
    190: ("Außen", "Outside", "Fuera"),
    191: ("Durchgehend", "Across", "Cruzando"),
    192: ("Klein", "Small", "Pequeño"),
    193: ("Groß", "Large", "Grande"),
    194: ("Striche rechts", "Ticks on the right", "Marcas a la derecha"),
    195: ("Striche oben", "Ticks on top", "Marcas arriba"),
    196: ("Linienstil", "Line style", "Estilo de línea"),
    197: ("Durchgezogen", "Solid", "Continua"),
    198: ("Fein gestrichelt", "Fine dashes", "Guiones finos"),
    199: ("Gestrichelt", "Dashes", "Guiones"),
    200: ("Lang gestrichelt", "Long dashes", "Guiones largos"),
    201: ("Strich-Quadrat", "Dash and square", "Guion y cuadrado"),
    202: ("Dicht gepunktet", "Dense dots", "Puntos densos"),
    203: ("Residuumsgrenzen", "Residual limits", "Límites del residuo"),
    204: ("Skala", "Scale", "Escala"),
    205: ("Auch Bereich", "Range too", "También rango"),
    206: ("Linien", "Guides", "Guías"),
    207: ("Zwischenstriche und Hilfslinien", "Minor ticks and guides", "Marcas menores y guías"),
    208: ("Auger-Parameter-Linien", "Auger parameter lines", "Líneas de parámetro Auger"),
    209: ("Auf alle Ansichten dieser Art anwenden", "Apply to all views of this kind",
          "Aplicar a todas las vistas de este tipo"),
    210: ("K&urvenstile Drucker", "Printer c&urve styles", "Estilos de c&urvas de impresora"),
    211: ("Schriften und Linien &Drucker", "Printer f&onts and lines",
          "F&uentes y líneas de impresora"),
    212: (": Fittabelle", ": fit table", ": tabla de ajuste"),
    213: ("Bildschirmwerte übernehmen", "Take over screen settings",
          "Adoptar ajustes de pantalla"),
    # Normalise: stored as scale operation name and compared, one wording
    214: same("&Normalise"),
    215: ("Maximum", "Maximum", "Máximo"),
    216: ("Minimum", "Minimum", "Mínimo"),
    217: ("Eingegebener Wert", "Typed value", "Valor introducido"),
    218: ("Wert am Punkt", "Value at point", "Valor en el punto"),
    219: ("auf 1 setzen", "set to 1", "igual a 1"),
    220: ("Projekt speichern &unter", "Save project &as", "Guardar proyecto &como"),
}

GROUPS = [
    ("MenuTexts", MENU, 89),
    ("ButtonTexts", BUTTON, 17),
    ("MessageTexts", MESSAGE, 129),
    ("CaptionTexts", CAPTION, 20),
    ("LabelTexts", LABEL, 220),
]

# Toolbar action texts (action order does not matter for the check).
TOOLBAR_MENU = [5, 9, 10, 11, 12, 13, 14] + list(range(26, 38)) + list(range(40, 52)) + [77, 78, 79]
TOOLBAR_LABEL = [5, 12, 13, 20, 23, 24, 40, 45, 59, 60, 70, 73, 76, 78, 79, 81, 83, 84, 99, 118,
                 120, 121, 123, 124, 145, 146, 148, 149, 152, 153, 157, 158, 179, 180, 214]
# Stored names: one wording in every slot.
STORED_MESSAGE = [1, 2, 3, 4, 5, 17, 19, 21, 22, 23, 24, 47, 52]
STORED_LABEL = [214]
# Texts whose first character the program drops.
FIRST_DROPPED = [("MenuTexts", 62), ("MenuTexts", 63), ("LabelTexts", 2), ("LabelTexts", 3),
                 ("LabelTexts", 116), ("LabelTexts", 117)]


def slots(texts: tuple[str, str, str]) -> list[str]:
    german, english, spanish = texts
    return [german, english, spanish, english, english]


def fields() -> list[str]:
    out = [HEADER]
    for texts in SINGLE:
        out += slots(texts)
    for name, table, size in GROUPS:
        out.append(f"----- {name} 1 to {size} -----")
        for i in range(1, size + 1):
            out += slots(table[i])
    return out


def strip_first_ampersand(text: str) -> str:
    k = text.find("&")
    return text if k < 0 else text[:k] + text[k + 1:]


def check() -> list[str]:
    problems = []
    for name, table, size in GROUPS:
        if sorted(table) != list(range(1, size + 1)):
            problems.append(f"{name}: indices are not exactly 1..{size}")
    all_fields = fields()
    if len(all_fields) != 2406:
        problems.append(f"{len(all_fields)} fields instead of 2406")
    for n, f in enumerate(all_fields, 1):
        if "," in f or "\n" in f or "\r" in f:
            problems.append(f"field {n} holds a comma or line break: {f!r}")
        try:
            f.encode("cp1252")
        except UnicodeEncodeError:
            problems.append(f"field {n} is not Windows-1252: {f!r}")
    for slot in range(3):
        actions = [strip_first_ampersand(MENU[i][slot]) for i in TOOLBAR_MENU]
        actions += [strip_first_ampersand(LABEL[i][slot]) for i in TOOLBAR_LABEL]
        seen = {}
        for a in actions:
            if a in seen:
                problems.append(f"slot {slot}: toolbar text {a!r} twice")
            seen[a] = True
        if len(actions) != 69:
            problems.append(f"{len(actions)} toolbar actions instead of 69")
        m = lambda i: MESSAGE[i][slot]
        lab = lambda i: LABEL[i][slot]
        if len({m(i) for i in range(1, 6)}) != 5:
            problems.append(f"slot {slot}: background names not distinct")
        if m(10) in (m(8), m(9)):
            problems.append(f"slot {slot}: MessageTexts 10 equals 8 or 9")
        if len({m(17), m(19), lab(214)}) != 3:
            problems.append(f"slot {slot}: scale operation names not distinct")
        if len({m(i) for i in range(21, 25)}) != 4:
            problems.append(f"slot {slot}: arithmetic names not distinct")
        if not m(52).startswith("D") or m(47).startswith("D") or m(47) == m(52):
            problems.append(f"slot {slot}: peak type names break the D rule")
        fit_modes = {m(87), lab(46), lab(120), lab(121)}
        if lab(33) in fit_modes or m(78) in fit_modes:
            problems.append(f"slot {slot}: window-choice mode texts collide")
    for i in STORED_MESSAGE:
        if len(set(MESSAGE[i])) != 1 or MESSAGE[i][0] != MESSAGE[i][0].strip():
            problems.append(f"MessageTexts {i}: stored name must read the same in every slot")
    for i in STORED_LABEL:
        if len(set(LABEL[i])) != 1:
            problems.append(f"LabelTexts {i}: stored name must read the same in every slot")
    for name, i in FIRST_DROPPED:
        table = MENU if name == "MenuTexts" else LABEL
        if not all(t.startswith("&") for t in table[i]):
            problems.append(f"{name} {i} must begin with '&' in every slot")
    return problems


def main() -> int:
    problems = check()
    if problems:
        for p in problems:
            print("language texts:", p, file=sys.stderr)
        return 1
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(root, "data", "settings", "language 2006.set")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(x + "\r\n" for x in fields()).encode("cp1252"))
    print(f"wrote {path}: {len(fields())} fields")
    return 0


if __name__ == "__main__":
    sys.exit(main())
