object fMain: TfMain
  Left = 192
  Top = 110
  Width = 800
  Height = 600
  BorderStyle = bsToolWindow
  Caption = 'DEMO Lirasto - Notes'
  ClientHeight = 566
  ClientWidth = 792
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Icon.Data = {@icon.ico}
  OnClose = FormClose
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object PageControl: TPageControl
    Left = 0
    Top = 0
    Width = 792
    Height = 566
    ActivePage = tsMain
    Align = alClient
    TabOrder = 0
    object tsMain: TTabSheet
      Caption = 'Lirasto'
      OnShow = tsMainShow
      object pMain: TSkinPanel
        Left = 0
        Top = 0
        Width = 784
        Height = 538
        Align = alClient
        Color = clBtnFace
        TabOrder = 0
        SkinImages = SkinImages
        idWallpaper = 0
        object lCountDown: TSkinLabel
          Left = 618
          Top = 48
          Width = 57
          Height = 38
          Caption = '100'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -32
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object SkinLabel1: TSkinLabel
          Left = 618
          Top = 30
          Width = 82
          Height = 21
          Caption = 'Time limit:'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -16
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object SkinLabel2: TSkinLabel
          Left = 618
          Top = 92
          Width = 92
          Height = 21
          Caption = 'Goal (pts) :'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -16
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object lGoal: TSkinLabel
          Left = 618
          Top = 109
          Width = 57
          Height = 38
          Caption = '100'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -32
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object lScore: TSkinLabel
          Left = 618
          Top = 171
          Width = 21
          Height = 38
          Caption = '0'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -32
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object SkinLabel4: TSkinLabel
          Left = 618
          Top = 153
          Width = 101
          Height = 21
          Caption = 'Score (pts) :'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -16
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object lQuestion: TSkinLabel
          Left = 154
          Top = 453
          Width = 74
          Height = 21
          Caption = 'Question'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -16
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object lExplanation: TSkinLabel
          Left = 157
          Top = 476
          Width = 78
          Height = 17
          Caption = 'Explanation'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsItalic]
          ParentFont = False
          Transparent = True
        end
        object lAnswer: TSkinLabel
          Left = 618
          Top = 235
          Width = 13
          Height = 38
          Caption = '-'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -32
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object lProgress: TSkinLabel
          Left = 26
          Top = 506
          Width = 9
          Height = 25
          Caption = '-'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clBlack
          Font.Height = -19
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object SkinLabel12: TSkinLabel
          Left = 262
          Top = 5
          Width = 269
          Height = 21
          Caption = '<-- SELECT YOUR LEVEL HERE'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -16
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
        end
        object imgPiano: TImage32
          Left = 20
          Top = 333
          Width = 560
          Height = 71
          Bitmap.Data = {@keyboard.bmp32}
          BitmapAlign = baTopLeft
          Scale = 1
          ScaleMode = smNormal
          TabOrder = 0
          OnMouseDown = imgPianoMouseDown
          OnMouseUp = imgPianoMouseUp
        end
        object bReset: TSkinBtn
          Left = 21
          Top = 451
          Width = 43
          Height = 25
          Caption = 'Reset'
          TabOrder = 1
          OnClick = bResetClick
        end
        object bStart: TSkinBtn
          Left = 72
          Top = 451
          Width = 75
          Height = 25
          Caption = 'Start'
          TabOrder = 2
          OnClick = bStartClick
        end
        object cbLevel: TSkinComboBox
          Left = 14
          Top = 6
          Width = 239
          Height = 19
          Style = csOwnerDrawVariable
          DropDownCount = 12
          ItemHeight = 13
          TabOrder = 3
          OnChange = cbLevelChange
          SkinImages = SkinImages
          idWallpaper = 0
          FileMask = '*.*'
          ListBoxWidth = 239
          SelFont.Charset = DEFAULT_CHARSET
          SelFont.Color = clHighlightText
          SelFont.Height = -11
          SelFont.Name = 'MS Sans Serif'
          SelFont.Style = []
        end
        object gbTips: TSkinGroupBox
          Left = 16
          Top = 408
          Width = 465
          Height = 41
          Caption = 'Tip'
          TabOrder = 4
          SkinImages = SkinImages
          idWallpaper = 0
          object Label14: TSkinLabel
            Left = 16
            Top = 16
            Width = 308
            Height = 14
            Caption = 'Say the answers out loud when the question is presented to you. '
            Transparent = True
          end
        end
        object ImgClefs: TImage32
          Left = 14
          Top = 30
          Width = 575
          Height = 289
          Bitmap.Data = {@staff.bmp32}
          BitmapAlign = baTopLeft
          Color = clWhite
          ParentColor = False
          Scale = 1
          ScaleMode = smNormal
          TabOrder = 5
        end
      end
    end
    object tsInfo: TTabSheet
      Caption = 'Information'
      object pInfo: TSkinPanel
        Left = 0
        Top = 0
        Width = 784
        Height = 538
        Align = alClient
        Color = clBtnFace
        TabOrder = 0
        SkinImages = SkinImages
        idWallpaper = 0
        object SkinScrollingText: TSkinScrollingText
          Left = 7
          Top = 512
          Width = 770
          Height = 22
          Active = True
          SkinImages = SkinImages
          idWallpaper = 0
          Strings.Strings = (
            'SkinScrollingText')
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
        end
        object mInfo: TSkinMemo
          Left = 245
          Top = 103
          Width = 524
          Height = 299
          TextAlign = taCenter
          TransparencyLevel = 100
          Caption = 'Information'
          EdgeBorders = [ebLeft, ebTop, ebRight, ebBottom]
          BordersTrColor = clBlack
          Options = [ocPaintWallpaper, ocNoCaption]
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -16
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          Lines.Strings = (
            'Lirasto Notes - made by Lirasto Software'
            ''
            ''
            'For information, support, tips and other '
            'products, check out the website below.'
            ''
            ''
            'support@lirasto.example'
            'https://lirasto.example')
          ParentFont = False
          TabOrder = 0
        end
        object mUsage: TSkinMemo
          Left = 8
          Top = 8
          Width = 765
          Height = 89
          EdgeBorders = [ebLeft, ebTop, ebRight, ebBottom]
          BordersTrColor = clBlack
          Options = [ocPaintWallpaper, ocNoCaption]
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = [fsBold]
          Lines.Strings = (
            ' USAGE'
            ' o Select a level'
            ' o Press ''Start'' to start the current level'
            ' o Press ''Reset'' to reset the current level')
          ParentFont = False
          TabOrder = 1
        end
        object imgLogo: TImage32
          Left = 8
          Top = 102
          Width = 225
          Height = 299
          Bitmap.Data = {@logo.bmp32}
          BitmapAlign = baTopLeft
          Scale = 1
          ScaleMode = smNormal
          TabOrder = 2
        end
      end
    end
    object tsOptions: TTabSheet
      Caption = 'Options'
      object pOptions: TSkinPanel
        Left = 0
        Top = 0
        Width = 784
        Height = 538
        Align = alClient
        Color = clBtnFace
        TabOrder = 0
        SkinImages = SkinImages
        idWallpaper = 0
        object gbKeyboard: TSkinGroupBox
          Left = 16
          Top = 16
          Width = 370
          Height = 120
          Caption = 'Computer keyboard'
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          object rbPianoRows: TSkinCheckBox
            Left = 16
            Top = 24
            Width = 340
            Height = 19
            Caption = 'Piano rows: A S D F G H J K, W E T Y U O; Z X octave'
            RadioItem = True
          end
          object rbNoteNames: TSkinCheckBox
            Left = 16
            Top = 48
            Width = 340
            Height = 19
            Caption = 'Note names: C D E F G A B; Shift sharp, Ctrl flat'
            RadioItem = True
          end
        end
        object gbMidi: TSkinGroupBox
          Left = 400
          Top = 16
          Width = 368
          Height = 200
          Caption = 'MIDI inputs'
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          object lNoMidi: TSkinLabel
            Left = 16
            Top = 24
            Width = 200
            Height = 19
            Caption = 'No MIDI input found'
            Transparent = True
          end
        end
        object gbSound: TSkinGroupBox
          Left = 16
          Top = 150
          Width = 370
          Height = 172
          Caption = 'Sound'
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
        end
        object gbPractice: TSkinGroupBox
          Left = 16
          Top = 336
          Width = 370
          Height = 80
          Caption = 'Practice'
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
        end
        object gbMicrophone: TSkinGroupBox
          Left = 400
          Top = 230
          Width = 368
          Height = 262
          Caption = 'Microphone'
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          object lMicDevice: TSkinLabel
            Left = 16
            Top = 50
            Width = 90
            Height = 19
            Caption = 'Input device'
            Transparent = True
          end
          object cbMicDevice: TSkinComboBox
            Left = 110
            Top = 48
            Width = 240
            Height = 19
            Style = csOwnerDrawVariable
            DropDownCount = 12
            ItemHeight = 13
            SkinImages = SkinImages
            idWallpaper = 0
            FileMask = '*.*'
            ListBoxWidth = 240
            SelFont.Charset = DEFAULT_CHARSET
            SelFont.Color = clHighlightText
            SelFont.Height = -11
            SelFont.Name = 'MS Sans Serif'
            SelFont.Style = []
          end
          object lMicLevel: TSkinLabel
            Left = 16
            Top = 74
            Width = 90
            Height = 19
            Caption = 'Level'
            Transparent = True
          end
          object lMicHeard: TSkinLabel
            Left = 16
            Top = 98
            Width = 90
            Height = 19
            Caption = 'Note heard'
            Transparent = True
          end
          object lMicGate: TSkinLabel
            Left = 16
            Top = 122
            Width = 90
            Height = 19
            Caption = 'Noise gate'
            Transparent = True
          end
          object bMeasureNoise: TSkinBtn
            Left = 16
            Top = 148
            Width = 190
            Height = 25
            Caption = 'Measure the room''s noise'
          end
          object lMicRange: TSkinLabel
            Left = 16
            Top = 186
            Width = 90
            Height = 19
            Caption = 'Lowest note'
            Transparent = True
          end
          object cbMicLowest: TSkinComboBox
            Left = 110
            Top = 184
            Width = 70
            Height = 19
            Style = csOwnerDrawVariable
            DropDownCount = 12
            ItemHeight = 13
            SkinImages = SkinImages
            idWallpaper = 0
            FileMask = '*.*'
            ListBoxWidth = 70
            SelFont.Charset = DEFAULT_CHARSET
            SelFont.Color = clHighlightText
            SelFont.Height = -11
            SelFont.Name = 'MS Sans Serif'
            SelFont.Style = []
          end
          object lMicRangeTo: TSkinLabel
            Left = 190
            Top = 186
            Width = 90
            Height = 19
            Caption = 'Highest note'
            Transparent = True
          end
          object cbMicHighest: TSkinComboBox
            Left = 280
            Top = 184
            Width = 70
            Height = 19
            Style = csOwnerDrawVariable
            DropDownCount = 12
            ItemHeight = 13
            SkinImages = SkinImages
            idWallpaper = 0
            FileMask = '*.*'
            ListBoxWidth = 70
            SelFont.Charset = DEFAULT_CHARSET
            SelFont.Color = clHighlightText
            SelFont.Height = -11
            SelFont.Name = 'MS Sans Serif'
            SelFont.Style = []
          end
        end
        object gbLanguage: TSkinGroupBox
          Left = 16
          Top = 428
          Width = 370
          Height = 100
          Caption = 'Language'
          SkinImages = SkinImages
          idWallpaper = 0
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -13
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          object lLanguage: TSkinLabel
            Left = 16
            Top = 26
            Width = 120
            Height = 19
            Caption = 'Language:'
            Transparent = True
          end
          object cbLanguage: TSkinComboBox
            Left = 140
            Top = 24
            Width = 214
            Height = 19
            Style = csOwnerDrawVariable
            DropDownCount = 9
            ItemHeight = 13
            SkinImages = SkinImages
            idWallpaper = 0
            FileMask = '*.*'
            ListBoxWidth = 214
            SelFont.Charset = DEFAULT_CHARSET
            SelFont.Color = clHighlightText
            SelFont.Height = -11
            SelFont.Name = 'MS Sans Serif'
            SelFont.Style = []
          end
          object lNoteNaming: TSkinLabel
            Left = 16
            Top = 50
            Width = 120
            Height = 19
            Caption = 'Note names:'
            Transparent = True
          end
          object cbNoteNaming: TSkinComboBox
            Left = 140
            Top = 48
            Width = 214
            Height = 19
            Style = csOwnerDrawVariable
            DropDownCount = 4
            ItemHeight = 13
            SkinImages = SkinImages
            idWallpaper = 0
            FileMask = '*.*'
            ListBoxWidth = 214
            SelFont.Charset = DEFAULT_CHARSET
            SelFont.Color = clHighlightText
            SelFont.Height = -11
            SelFont.Name = 'MS Sans Serif'
            SelFont.Style = []
          end
          object lLanguageNext: TSkinLabel
            Left = 16
            Top = 74
            Width = 338
            Height = 19
            Caption = 'A new language shows at the next start.'
            Transparent = True
          end
        end
      end
    end
    object tsProgress: TTabSheet
      Caption = 'Progress'
    end
  end
  object SkinImages: TSkinImages
    Images = <
      item
        Picture.Data = {@wallpaper.picture}
      end>
  end
  object BMPKeyList: TBitmap32List
    Bitmaps = <
      item
        Bitmap.Data = {@key_00.bmp32}
      end
      item
        Bitmap.Data = {@key_01.bmp32}
      end
      item
        Bitmap.Data = {@key_02.bmp32}
      end
      item
        Bitmap.Data = {@key_03.bmp32}
      end
      item
        Bitmap.Data = {@key_04.bmp32}
      end
      item
        Bitmap.Data = {@key_05.bmp32}
      end
      item
        Bitmap.Data = {@key_06.bmp32}
      end
      item
        Bitmap.Data = {@key_07.bmp32}
      end
      item
        Bitmap.Data = {@key_08.bmp32}
      end
      item
        Bitmap.Data = {@key_09.bmp32}
      end
      item
        Bitmap.Data = {@key_10.bmp32}
      end
      item
        Bitmap.Data = {@key_11.bmp32}
      end
      item
        Bitmap.Data = {@key_12.bmp32}
      end
      item
        Bitmap.Data = {@key_13.bmp32}
      end
      item
        Bitmap.Data = {@key_14.bmp32}
      end
      item
        Bitmap.Data = {@key_15.bmp32}
      end
      item
        Bitmap.Data = {@key_16.bmp32}
      end
      item
        Bitmap.Data = {@key_17.bmp32}
      end
      item
        Bitmap.Data = {@key_18.bmp32}
      end
      item
        Bitmap.Data = {@key_19.bmp32}
      end
      item
        Bitmap.Data = {@key_20.bmp32}
      end
      item
        Bitmap.Data = {@key_21.bmp32}
      end
      item
        Bitmap.Data = {@key_22.bmp32}
      end
      item
        Bitmap.Data = {@key_23.bmp32}
      end
      item
        Bitmap.Data = {@key_24.bmp32}
      end
      item
        Bitmap.Data = {@key_25.bmp32}
      end
      item
        Bitmap.Data = {@key_26.bmp32}
      end
      item
        Bitmap.Data = {@key_27.bmp32}
      end
      item
        Bitmap.Data = {@key_28.bmp32}
      end
      item
        Bitmap.Data = {@key_29.bmp32}
      end
      item
        Bitmap.Data = {@key_30.bmp32}
      end
      item
        Bitmap.Data = {@key_31.bmp32}
      end
      item
        Bitmap.Data = {@key_32.bmp32}
      end
      item
        Bitmap.Data = {@key_33.bmp32}
      end
      item
        Bitmap.Data = {@key_34.bmp32}
      end
      item
        Bitmap.Data = {@key_35.bmp32}
      end
      item
        Bitmap.Data = {@key_36.bmp32}
      end
      item
        Bitmap.Data = {@key_37.bmp32}
      end
      item
        Bitmap.Data = {@key_38.bmp32}
      end
      item
        Bitmap.Data = {@key_39.bmp32}
      end
      item
        Bitmap.Data = {@key_40.bmp32}
      end
      item
        Bitmap.Data = {@key_41.bmp32}
      end
      item
        Bitmap.Data = {@key_42.bmp32}
      end
      item
        Bitmap.Data = {@key_43.bmp32}
      end
      item
        Bitmap.Data = {@key_44.bmp32}
      end
      item
        Bitmap.Data = {@key_45.bmp32}
      end
      item
        Bitmap.Data = {@key_46.bmp32}
      end
      item
        Bitmap.Data = {@key_47.bmp32}
      end
      item
        Bitmap.Data = {@key_48.bmp32}
      end
      item
        Bitmap.Data = {@key_49.bmp32}
      end
      item
        Bitmap.Data = {@key_50.bmp32}
      end
      item
        Bitmap.Data = {@key_51.bmp32}
      end
      item
        Bitmap.Data = {@key_52.bmp32}
      end
      item
        Bitmap.Data = {@key_53.bmp32}
      end
      item
        Bitmap.Data = {@key_54.bmp32}
      end
      item
        Bitmap.Data = {@key_55.bmp32}
      end
      item
        Bitmap.Data = {@key_56.bmp32}
      end
      item
        Bitmap.Data = {@key_57.bmp32}
      end
      item
        Bitmap.Data = {@key_58.bmp32}
      end
      item
        Bitmap.Data = {@key_59.bmp32}
      end
      item
        Bitmap.Data = {@key_60.bmp32}
      end
      item
        Bitmap.Data = {@key_61.bmp32}
      end
      item
        Bitmap.Data = {@key_62.bmp32}
      end>
  end
  object BMPPianoKeysList: TBitmap32List
    Bitmaps = <
      item
        Bitmap.Data = {@pianokey_0.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_1.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_2.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_3.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_4.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_5.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_6.bmp32}
      end
      item
        Bitmap.Data = {@pianokey_7.bmp32}
      end>
  end
  object Timer: TTimer
    Enabled = False
    OnTimer = TimerTimer
  end
  object BMPScaleDegrees: TBitmap32List
    Bitmaps = <
      item
        Bitmap.Data = {@degree_0.bmp32}
      end
      item
        Bitmap.Data = {@degree_1.bmp32}
      end
      item
        Bitmap.Data = {@degree_2.bmp32}
      end
      item
        Bitmap.Data = {@degree_3.bmp32}
      end
      item
        Bitmap.Data = {@degree_4.bmp32}
      end
      item
        Bitmap.Data = {@degree_5.bmp32}
      end
      item
        Bitmap.Data = {@degree_6.bmp32}
      end>
  end
  object BMPNoteList: TBitmap32List
    Bitmaps = <
      item
        Bitmap.Data = {@note_0.bmp32}
      end
      item
        Bitmap.Data = {@note_1.bmp32}
      end
      item
        Bitmap.Data = {@note_2.bmp32}
      end
      item
        Bitmap.Data = {@note_3.bmp32}
      end
      item
        Bitmap.Data = {@note_4.bmp32}
      end
      item
        Bitmap.Data = {@note_5.bmp32}
      end
      item
        Bitmap.Data = {@note_6.bmp32}
      end
      item
        Bitmap.Data = {@note_7.bmp32}
      end
      item
        Bitmap.Data = {@note_8.bmp32}
      end
      item
        Bitmap.Data = {@note_9.bmp32}
      end
      item
        Bitmap.Data = {@note_10.bmp32}
      end
      item
        Bitmap.Data = {@note_11.bmp32}
      end
      item
        Bitmap.Data = {@note_12.bmp32}
      end>
  end
  object BMPEvaluationList: TBitmap32List
    Bitmaps = <
      item
        Bitmap.Data = {@mark_0.bmp32}
      end
      item
        Bitmap.Data = {@mark_1.bmp32}
      end
      item
        Bitmap.Data = {@mark_2.bmp32}
      end
      item
        Bitmap.Data = {@mark_3.bmp32}
      end>
  end
end
