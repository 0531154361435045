<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>KvListEx::ListEx</name>
    <message>
        <source>About ListEx</source>
        <translation>Über ListEx</translation>
    </message>
    <message>
        <source>KvListEx ListEx %1</source>
        <translation>KvListEx ListEx %1</translation>
    </message>
    <message>
        <source>An extended list box: items with pictures, colours, fonts and descriptions.

Qt %1, device pixel ratio %2</source>
        <translation>Ein erweitertes Listenfeld: Einträge mit Bildern, Farben, Schriften und Beschreibungen.

Qt %1, Gerätepixelverhältnis %2</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>Fenstertext</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>Alternate Base</source>
        <translation>Alternative Basis</translation>
    </message>
    <message>
        <source>Tool Tip Base</source>
        <translation>Tooltip-Hintergrund</translation>
    </message>
    <message>
        <source>Tool Tip Text</source>
        <translation>Tooltip-Text</translation>
    </message>
    <message>
        <source>Placeholder Text</source>
        <translation>Platzhaltertext</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Schaltfläche</translation>
    </message>
    <message>
        <source>Button Text</source>
        <translation>Schaltflächentext</translation>
    </message>
    <message>
        <source>Bright Text</source>
        <translation>Heller Text</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Midlight</source>
        <translation>Halbhell</translation>
    </message>
    <message>
        <source>Mid</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Schatten</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Hervorhebung</translation>
    </message>
    <message>
        <source>Highlighted Text</source>
        <translation>Hervorgehobener Text</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Verknüpfung</translation>
    </message>
    <message>
        <source>Link Visited</source>
        <translation>Besuchte Verknüpfung</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
</TS>
