object fMain: TfMain
  Left = 192
  Font.Height = -11
  Width = 800
  Caption = 'DEMO Lirasto - Notes'#13'It''s'
  Color = clBtnFace
  ParentFont = False
  Font.Style = [fsBold, fsItalic]
  Icon.Data = {@icon.ico}
  Bitmap.Data = {
    0800000001000000
    01020304}
  Lines.Strings = (
    'first line'
    'second line')
  object SkinImages: TSkinImages
    Images = <
      item
        Tag = 1
      end
      item
      end>
  end
end
